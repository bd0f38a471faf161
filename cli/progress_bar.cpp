#include "progress_bar.h"

#include <algorithm>
#include <string>

namespace quillmoor::cli {
namespace {

constexpr auto RedrawInterval = std::chrono::milliseconds(100);
constexpr int BarWidth = 24;

// 1536 bytes -> "1.5 KiB": short enough for one terminal line.
std::string HumanBytes(double bytes) {
  static const char* const units[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB"};
  std::size_t unit = 0;
  while (bytes >= 1024 && unit + 1 < std::size(units)) {
    bytes /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytes, units[unit]);
  return text;
}

}  // namespace

void ProgressBar::Start() {
  started_ = Clock::now();
  lastDrawn_ = started_ - RedrawInterval;  // the first update draws at once
}

void ProgressBar::Update(std::uint64_t bytesScanned, std::uint64_t fileLength, int imagesFound) {
  if (!enabled_) return;
  const auto now = Clock::now();
  if (now - lastDrawn_ < RedrawInterval && bytesScanned < fileLength) return;
  lastDrawn_ = now;
  Draw(bytesScanned, fileLength, imagesFound);
}

void ProgressBar::Draw(std::uint64_t bytesScanned, std::uint64_t fileLength, int imagesFound) {
  const double fraction =
      fileLength == 0
          ? 1.0
          : std::min(1.0, static_cast<double>(bytesScanned) / static_cast<double>(fileLength));
  const int filled = static_cast<int>(fraction * BarWidth);
  const double seconds = std::chrono::duration<double>(Clock::now() - started_).count();
  const std::string speed =
      seconds > 0 ? HumanBytes(static_cast<double>(bytesScanned) / seconds) + "/s" : "-";
  // "\r" returns to the start of the line and "\033[K" clears what a longer
  // earlier line left.
  std::fprintf(terminal_, "\r[%s%s] %3d%%  %s / %s  %s  found: %d\033[K",
               std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(BarWidth - filled), '.').c_str(),
               static_cast<int>(fraction * 100),
               HumanBytes(static_cast<double>(bytesScanned)).c_str(),
               HumanBytes(static_cast<double>(fileLength)).c_str(), speed.c_str(), imagesFound);
  std::fflush(terminal_);
  shown_ = true;
}

void ProgressBar::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", terminal_);
  std::fflush(terminal_);
  shown_ = false;
}

}  // namespace quillmoor::cli

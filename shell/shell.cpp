#include "shell.h"

#include "extract_images.h"
#include "main_window.h"
#include "message_box.h"
#include "precise_sleep.h"
#include "shell_media.h"
#include "window_scan_sink.h"

#include <QApplication>
#include <filesystem>
#include <string>
#include <system_error>
#include <variant>

namespace quillmoor {
namespace {

constexpr int IdleSleepMilliseconds = 1;

// Lines of the About box.
const char* const AboutText = "Quillmoor " QUILLMOOR_VERSION
                              "\n"
                              "Finds TR-DOS disk images inside\n"
                              "a hard-disk image and saves each\n"
                              "one as a .trd file beside it.\n"
                              "\n"
                              "Drop the image on the window.";

// A run is worth starting only for an existing regular file with something
// in it; a folder, a missing path or an empty file is ignored.
bool IsNonEmptyFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path file(path);
  if (!std::filesystem::is_regular_file(file, error)) return false;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  return !error && size > 0;
}

}  // namespace

Shell::Shell(ShellMedia& media) : media_(media) {
  UseFineTimerSlack();
  media_.OpenSoundOutput();
  buffer_ = std::make_unique<ScanBuffer>();
  media_.LoadCompletionSound();
  const QImage picture = media_.LoadSplashPicture();
  QApplication::setWindowIcon(ProgramIcon());
  window_ = std::make_unique<MainWindow>(picture);
  sink_ = std::make_unique<WindowScanSink>(*window_);
  window_->ShowCentred();
}

Shell::~Shell() = default;

bool Shell::Step() {
  const std::optional<ShellEvent> event = window_->PollEvent();
  if (!event.has_value()) {
    SleepMilliseconds(IdleSleepMilliseconds);
    return true;
  }
  if (std::holds_alternative<CloseRequest>(*event)) return false;
  if (const auto* drop = std::get_if<FileDrop>(&*event)) {
    ExtractDroppedFile(*drop);
    return true;
  }
  if (std::holds_alternative<RightButtonDown>(*event)) {
    window_->ShowPopupMenu();
    return true;
  }
  if (const auto* choice = std::get_if<MenuCommand>(&*event)) {
    if (choice->command == CommandExit) return false;
    if (choice->command == CommandAbout) {
      ShowAbout();
      return true;
    }
  }
  SleepMilliseconds(IdleSleepMilliseconds);
  return true;
}

int Shell::Run() {
  while (Step()) {
  }
  return 0;
}

void Shell::ExtractDroppedFile(const FileDrop& drop) {
  // Only the first file of a drop is taken; the rest are ignored.
  if (drop.paths.empty() || !IsNonEmptyFile(drop.paths.front())) return;
  const int found = ExtractImages(drop.paths.front(), *sink_, *buffer_);
  window_->SetStatus(FieldCount, "");
  window_->SetStatus(FieldLabel, "Drop file here");
  window_->SetStatus(FieldProgress, "");
  media_.PlayCompletionSound();
  sink_->ShowMessage("Extract is ended", "Found files: " + std::to_string(found));
}

void Shell::ShowAbout() {
  // A box of its own, owned by no window.
  ShowMessageBox(nullptr, QStringLiteral("About"), QString::fromUtf8(AboutText));
}

}  // namespace quillmoor

#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace quillmoor::cli {

// One self-rewriting line on a terminal: percentage, bytes scanned, speed and
// images found so far. A disabled bar writes nothing at all, so that logs and
// pipes get only the report.
class ProgressBar {
 public:
  ProgressBar(std::FILE* terminal, bool enabled) : terminal_(terminal), enabled_(enabled) {}

  // A new file starts: the speed is measured from here.
  void Start();
  // Redraws the line, at most a few times a second: a scan from the page cache
  // reports thousands of chunks a second, and the terminal must not slow it.
  void Update(std::uint64_t bytesScanned, std::uint64_t fileLength, int imagesFound);
  // Removes the line, so that a report line or an error can take its place.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  void Draw(std::uint64_t bytesScanned, std::uint64_t fileLength, int imagesFound);

  std::FILE* terminal_;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point started_{};
  Clock::time_point lastDrawn_{};
};

}  // namespace quillmoor::cli

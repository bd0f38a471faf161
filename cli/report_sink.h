#pragma once

#include "enclosing_images.h"
#include "progress_bar.h"
#include "scan_sink.h"

#include <cstdio>
#include <string>

namespace quillmoor::cli {

enum class ReportFormat { Text, Json };

// Carries a run's events to a terminal or a script: a line per image and per
// file on `report`, errors on `errors`, and the progress bar. Never pauses and
// never cancels a run.
class ReportSink : public ScanSink {
 public:
  ReportSink(std::FILE* report, std::FILE* errors, ProgressBar& progress, ReportFormat format,
             bool dryRun, bool fileHeadings);

  // Call around each file's run.
  void BeginFile(const std::string& path);
  void EndFile(int found);

  // True once any file could not be opened or read, or any image could not be
  // created or written.
  bool HadFailure() const { return failed_; }

  void SetStatus(StatusField field, const std::string& text) override;
  void Pause(int milliseconds) override;
  bool PollCloseRequest() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  void ImageFound(const FoundImage& image) override;
  void ChunkScanned(std::uint64_t bytesScanned, std::uint64_t fileLength) override;
  void OpenFailed(const std::string& path, int errorNumber) override;

 private:
  void Report(const std::string& line);
  void Error(const std::string& line);

  std::FILE* report_;
  std::FILE* errors_;
  ProgressBar& progress_;
  ReportFormat format_;
  bool dryRun_;
  bool fileHeadings_;  // several files in text: a "FILE:" line before each
  bool firstFile_ = true;
  bool failed_ = false;
  std::string path_;
  bool opened_ = false;
  int imagesSoFar_ = 0;
  EnclosingImages enclosing_;
};

}  // namespace quillmoor::cli

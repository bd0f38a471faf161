#include "report_sink.h"

#include "report_format.h"

#include <cstring>

namespace quillmoor::cli {

ReportSink::ReportSink(std::FILE* report, std::FILE* errors, ProgressBar& progress,
                       ReportFormat format, bool dryRun, bool fileHeadings)
    : report_(report),
      errors_(errors),
      progress_(progress),
      format_(format),
      dryRun_(dryRun),
      fileHeadings_(fileHeadings && format == ReportFormat::Text) {
}

void ReportSink::BeginFile(const std::string& path) {
  path_ = path;
  opened_ = true;
  imagesSoFar_ = 0;
  enclosing_.Clear();
  progress_.Start();
  // JSON lines name their file; text lines need a heading to tell files apart.
  if (fileHeadings_) Report((firstFile_ ? "" : "\n") + path + ":");
  firstFile_ = false;
}

void ReportSink::EndFile(int found) {
  progress_.Clear();
  // A file that could not be opened was not scanned: its error says so, and a
  // count would suggest otherwise.
  if (!opened_) return;
  Report(format_ == ReportFormat::Json ? FileJson(path_, found) : FoundLine(found));
}

// The status bar's texts say nothing the report lines do not.
void ReportSink::SetStatus(StatusField /*field*/, const std::string& /*text*/) {
}

void ReportSink::Pause(int /*milliseconds*/) {
}

bool ReportSink::PollCloseRequest() {
  return false;
}

// Every box a run raises is an "Error!" box, and its text names the failure.
void ReportSink::ShowMessage(const std::string& /*title*/, const std::string& text) {
  failed_ = true;
  Error(text);
}

void ReportSink::ImageFound(const FoundImage& image) {
  ++imagesSoFar_;
  const std::optional<int> inside = enclosing_.Add(image.number, image.fileOffset);
  // An image that could not be written has had its error line already.
  if (!image.written && !dryRun_) return;
  Report(format_ == ReportFormat::Json ? ImageJson(path_, image, inside)
                                       : ImageLine(image, inside));
}

void ReportSink::ChunkScanned(std::uint64_t bytesScanned, std::uint64_t fileLength) {
  progress_.Update(bytesScanned, fileLength, imagesSoFar_);
}

void ReportSink::OpenFailed(const std::string& path, int errorNumber) {
  failed_ = true;
  opened_ = false;
  Error("Cant open file: " + path + " (" + std::strerror(errorNumber) + ")");
}

void ReportSink::Report(const std::string& line) {
  progress_.Clear();
  std::fputs(line.c_str(), report_);
  std::fputc('\n', report_);
  // A script reading the lines as they come sees each image at once.
  std::fflush(report_);
}

void ReportSink::Error(const std::string& line) {
  progress_.Clear();
  std::fputs(line.c_str(), errors_);
  std::fputc('\n', errors_);
  std::fflush(errors_);
}

}  // namespace quillmoor::cli

#include "image_writer.h"

#include "image_naming.h"
#include "output_file.h"
#include "trd_recogniser.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace quillmoor {
namespace {

bool IsEnterableFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// Decides where this run's images go. Beside the file: a folder named after
// it, created if missing; when it can neither be created nor entered, the
// dropped file's own folder. An explicit output folder is created with its
// parents; if that fails, the failure shows on each file.
void SettleTargetFolder(ExtractionRun& run) {
  run.folderReady = true;
  if (!run.options.outputDir.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(run.options.outputDir, ignored);
    run.targetDir = run.options.outputDir;
    if (!IsPathSeparator(run.targetDir.back())) run.targetDir += '/';
    return;
  }
  const std::string folder = OutputFolderBeside(run.path);
  ::mkdir(folder.c_str(), 0777);  // an existing folder is simply used
  run.targetDir = IsEnterableFolder(folder) ? folder + "/" : FolderOf(run.path);
}

}  // namespace

void WriteFoundImage(ExtractionRun& run, std::span<const std::uint8_t> buffer, std::size_t p,
                     ScanSink& sink) {
  const std::size_t start = p - DiskInfoOffset;
  const std::string name = CleanLabel(ReadLabel(buffer.subspan(start + LabelOffset, LabelLength)));
  run.found += 1;
  sink.SetStatus(FieldLabel, "\"" + name + "\"");
  sink.SetStatus(FieldCount, " Find: " + std::to_string(run.found));

  FoundImage image;
  image.number = run.found;
  image.fileOffset = run.bufferStart + static_cast<std::int64_t>(start);
  image.label = name;
  if (!run.options.dryRun) {
    if (!run.folderReady) SettleTargetFolder(run);
    const std::string fileName = OutputFileName(run.found, name);
    const std::string target = run.targetDir + fileName;
    switch (WriteWholeFile(target, buffer.subspan(start, TrdImageSize))) {
      case WriteOutcome::Written:
        image.outputPath = target;
        image.written = true;
        break;
      case WriteOutcome::CannotCreate:
        sink.ShowMessage("Error!", "Cant create file: " + fileName);
        break;
      case WriteOutcome::CannotWrite:
        sink.ShowMessage("Error!", "Cant write file: " + fileName);
        break;
    }
  }
  sink.ImageFound(image);
}

}  // namespace quillmoor

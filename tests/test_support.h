#pragma once

#include "scan_sink.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmoor::testing {

using Bytes = std::vector<std::uint8_t>;

// A freshly formatted 80-track double-sided TRD image with the given label
// and `files` catalogue entries named "FILE0000", "FILE0001", ...
Bytes MakeTrdImage(const std::string& label, int files = 0);

// Copies `image` into `into` so that its first byte lands at `offset`,
// growing `into` as needed.
void PlaceAt(Bytes& into, std::size_t offset, const Bytes& image);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// Real TR-DOS images from the shared corpus; empty when it is not there.
std::filesystem::path CorpusDir();

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The names of the files in a folder, sorted; hidden files too.
std::vector<std::string> ListFolder(const std::filesystem::path& folder);

// A ScanSink that records every call, in order, as text:
//   "status 1 \"GAMES\"", "pause 1", "poll", "message Error! | Cant create file: 1_X.trd"
class RecordingSink : public ScanSink {
 public:
  void SetStatus(StatusField field, const std::string& text) override;
  void Pause(int milliseconds) override;
  bool PollCloseRequest() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  void ImageFound(const FoundImage& image) override;

  std::vector<std::string> calls;
  std::vector<FoundImage> images;
  std::string status[3];
  int polls = 0;
  // The poll with this number (from 1) answers with a close request.
  int closeOnPoll = 0;
};

}  // namespace quillmoor::testing

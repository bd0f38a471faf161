// A whole run over a small fuzzed file, with the output in a temporary
// folder: no crash, and every image reported is on disk whole, with nothing
// half-written beside it.

#include "extract_images.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

using namespace quillmoor;
namespace fs = std::filesystem;

namespace {

class QuietSink : public ScanSink {
 public:
  void SetStatus(StatusField, const std::string&) override {}
  void Pause(int) override {}
  bool PollCloseRequest() override { return false; }
  void ShowMessage(const std::string&, const std::string&) override { std::abort(); }
  void ImageFound(const FoundImage& image) override {
    if (!image.written || fs::file_size(image.outputPath) != TrdImageSize) std::abort();
    ++written;
  }
  int written = 0;
};

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "quillmoor-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return fs::path(pattern);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ScanBuffer buffer;
  const fs::path input = WorkFolder() / "input.img";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  QuietSink sink;
  const int found = ExtractImages(input.string(), sink, buffer);
  if (found != sink.written) std::abort();

  // Only whole images under their own names: no temporary file is left.
  const fs::path output = WorkFolder() / "input_extract";
  int files = 0;
  if (fs::exists(output)) {
    for (const auto& entry : fs::directory_iterator(output)) {
      if (entry.path().extension() != ".trd") std::abort();
      ++files;
    }
    fs::remove_all(output);
  }
  if (files != sink.written) std::abort();
  return 0;
}

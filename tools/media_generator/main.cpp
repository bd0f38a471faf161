// Makes the two media files the program carries: the 256 × 192 title screen
// (splash.png) and the completion cue (completion.ogg), both in their
// required exact forms. Usage: media_generator <output folder>
#include "exact_size_search.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

using quillmoor::media_generator::FindChime;
using quillmoor::media_generator::FindSplash;

// Writes beside the target and renames over it, so a failed run never
// leaves a half-written asset behind.
bool WriteWhole(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: media_generator <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];

  const auto splash = FindSplash();
  if (!splash) {
    std::fprintf(stderr, "no star count and deflate setting gives the picture's size\n");
    return 1;
  }
  std::printf("splash.png: %zu bytes, %d stars, deflate strategy %d, memory level %d\n",
              splash->png.size(), splash->starCount, splash->deflate.strategy,
              splash->deflate.memLevel);

  const auto chime = FindChime();
  if (!chime) {
    std::fprintf(stderr, "no low-pass setting gives the cue's size\n");
    return 1;
  }
  std::printf("completion.ogg: %zu bytes, low-pass %.2f kHz, %zu padding spaces\n",
              chime->ogg.size(), chime->lowpassKhz, chime->paddingSpaces);

  if (!WriteWhole(folder / "splash.png", splash->png) ||
      !WriteWhole(folder / "completion.ogg", chime->ogg)) {
    std::fprintf(stderr, "cannot write into %s\n", folder.string().c_str());
    return 1;
  }
  return 0;
}

// Makes the two media files the program carries: the 256 × 192 title screen
// (splash.png) and the completion cue (completion.ogg), both in their
// required exact forms. Usage: media_generator <output folder>
#include "exact_size_search.h"
#include "output_file.h"

#include <cstdio>
#include <filesystem>

namespace {

using quillmoor::media_generator::FindChime;
using quillmoor::media_generator::FindSplash;

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

  // Whole files or none, so a failed run never leaves half an asset behind.
  using quillmoor::WriteOutcome;
  using quillmoor::WriteWholeFile;
  if (WriteWholeFile((folder / "splash.png").string(), splash->png) != WriteOutcome::Written ||
      WriteWholeFile((folder / "completion.ogg").string(), chime->ogg) != WriteOutcome::Written) {
    std::fprintf(stderr, "cannot write into %s\n", folder.string().c_str());
    return 1;
  }
  return 0;
}

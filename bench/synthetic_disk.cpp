#include "synthetic_disk.h"

#include "scan_buffer.h"
#include "trd_recogniser.h"

#include <algorithm>
#include <random>
#include <string_view>

namespace quillmoor::bench {
namespace {

constexpr std::string_view Text =
    "The quick brown fox jumps over the lazy dog. 10 PRINT \"HELLO\": GOTO 10\n";

void PlaceImage(std::vector<std::uint8_t>& disk, std::size_t at, int number) {
  std::uint8_t* image = disk.data() + at;
  std::fill(image, image + 2'304, 0);  // catalogue and disk-information sector
  image[FirstFreeTrackOffset] = 1;
  image[DiskInfoOffset] = DiskType80Track2Side;
  image[TrDosIdOffset] = TrDosId;
  const std::string label = "BENCH" + std::to_string(number);
  std::copy(label.begin(), label.end(), image + LabelOffset);
}

}  // namespace

std::vector<std::uint8_t> MakeSyntheticDisk(std::size_t size, std::uint64_t seed,
                                            const DiskMix& mix) {
  std::vector<std::uint8_t> disk(size);
  std::mt19937_64 random(seed);
  std::size_t at = 0;
  while (at < size) {
    const std::size_t length =
        std::min<std::size_t>(4096 + random() % (mix.longestRun - 4096 + 1), size - at);
    const auto kind = static_cast<int>(random() % 100);
    if (kind < mix.randomPercent) {
      for (std::size_t i = 0; i < length; i += 8) {
        const std::uint64_t word = random();
        for (std::size_t b = 0; b < 8 && i + b < length; ++b) {
          disk[at + i + b] = static_cast<std::uint8_t>(word >> (8 * b));
        }
      }
    } else if (kind >= mix.randomPercent + mix.zeroPercent) {
      for (std::size_t i = 0; i < length; ++i)
        disk[at + i] = static_cast<std::uint8_t>(Text[i % Text.size()]);
    }  // else zeros, as the vector starts
    at += length;
  }
  int number = 0;
  for (std::size_t image = mix.imageSpacing / 2 + 1'234; image + TrdImageSize <= size;
       image += mix.imageSpacing + 777) {
    PlaceImage(disk, image, ++number);
  }
  return disk;
}

}  // namespace quillmoor::bench

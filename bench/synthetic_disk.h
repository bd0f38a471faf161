#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillmoor::bench {

struct DiskMix {
  std::size_t longestRun = 4u << 20;     // runs are 4 KiB up to this long
  int randomPercent = 55;                // compressed data: many false starts
  int zeroPercent = 30;                  // unused space; the rest is text
  std::size_t imageSpacing = 32u << 20;  // a valid TRD image this often
};

// A deterministic stand-in for a hard disk's bytes: runs of random bytes,
// zeros and text, with valid TRD images at unaligned offsets. The same size,
// seed and mix always give the same bytes.
std::vector<std::uint8_t> MakeSyntheticDisk(std::size_t size, std::uint64_t seed,
                                            const DiskMix& mix = {});

}  // namespace quillmoor::bench

#pragma once

#include "splash_art.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillmoor::media_generator {

// The zlib knobs libpng hands to deflate for the image data.
struct DeflateSettings {
  int level = 9;
  int strategy = 0;  // Z_DEFAULT_STRATEGY
  int memLevel = 8;
  int windowBits = 15;
};

// Writes `picture` as a non-interlaced 4-bit palette PNG with the splash
// palette, a bKGD chunk naming index 0 and the image data in a single IDAT:
// chunks IHDR, PLTE, bKGD, IDAT, IEND and nothing else. Rows are stored
// unfiltered, the usual choice for palette images. nullopt if libpng fails.
std::optional<std::vector<std::uint8_t>> EncodeIndexedPng(const IndexedPicture& picture,
                                                          const DeflateSettings& deflate);

}  // namespace quillmoor::media_generator

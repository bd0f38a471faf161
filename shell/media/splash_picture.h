#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quillmoor {

// A decoded picture: 0xAARRGGBB pixels, rows top to bottom, no padding.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Decodes a PNG held in memory. Any damage (bad signature, broken chunk,
// corrupt or cut-short image data, absurd dimensions) gives nullopt; nothing
// is thrown and nothing is printed.
std::optional<Bitmap> DecodePng(std::span<const std::uint8_t> png);

// The title-screen picture compiled into the program, decoded.
std::optional<Bitmap> LoadSplashPicture();

}  // namespace quillmoor

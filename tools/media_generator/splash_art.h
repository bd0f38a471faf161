#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillmoor::media_generator {

struct PaletteColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// The eight colours of the picture, in the order its palette stores them:
// black, white, cyan, green, magenta, blue, red, yellow.
inline constexpr std::array<PaletteColour, 8> SplashPalette{{
    {0, 0, 0},
    {254, 254, 254},
    {0, 254, 254},
    {0, 254, 0},
    {254, 0, 254},
    {0, 0, 254},
    {254, 0, 0},
    {254, 254, 0},
}};

enum PaletteIndex : std::uint8_t {
  Black = 0,
  White = 1,
  Cyan = 2,
  Green = 3,
  Magenta = 4,
  Blue = 5,
  Red = 6,
  Yellow = 7,
};

inline constexpr int SplashWidth = 256;
inline constexpr int SplashHeight = 192;

// One palette index per pixel, rows top to bottom.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;

  void Put(int x, int y, std::uint8_t colour);
  std::uint8_t At(int x, int y) const { return indices[static_cast<std::size_t>(y * width + x)]; }
};

// The title screen: the program's name in large blocky letters, a floppy
// disk, a few lines on what to do and the diagonal colour stripes of the
// machine's loading screens, over a field of `starCount` stars. The stars are
// the one free detail: the generator picks their number so the encoded file
// lands on its required size.
IndexedPicture DrawSplash(int starCount);

// Draws `text` in the 8 × 8 font with each pixel a `scale` × `scale` block,
// colouring glyph row r with rowColours[r].
void DrawText(IndexedPicture& picture, std::string_view text, int x, int y, int scale,
              const std::array<std::uint8_t, 8>& rowColours);

}  // namespace quillmoor::media_generator

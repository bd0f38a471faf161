#include "splash_art.h"

#include "bitmap_font.h"

namespace quillmoor::media_generator {
namespace {

void FillRect(IndexedPicture& picture, int x, int y, int width, int height, std::uint8_t colour) {
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) picture.Put(column, row, colour);
  }
}

std::array<std::uint8_t, 8> Plain(std::uint8_t colour) {
  std::array<std::uint8_t, 8> colours{};
  colours.fill(colour);
  return colours;
}

int TextWidth(std::string_view text, int scale) {
  // The last column of every glyph is blank spacing.
  return static_cast<int>(text.size()) * 8 * scale - scale;
}

// A line of small text on black paper: each character cell is cleared first,
// as on the machine, so no star shows through a letter.
void DrawCaption(IndexedPicture& picture, std::string_view text, int x, int y,
                 std::uint8_t colour) {
  FillRect(picture, x, y, static_cast<int>(text.size()) * 8, 8, Black);
  DrawText(picture, text, x, y, 1, Plain(colour));
}

void DrawCentredCaption(IndexedPicture& picture, std::string_view text, int y,
                        std::uint8_t colour) {
  DrawCaption(picture, text, (picture.width - TextWidth(text, 1)) / 2, y, colour);
}

// Single pixels at reproducible pseudo-random places (a plain LCG, so the
// picture never depends on the C library's rand()).
void DrawStars(IndexedPicture& picture, int starCount) {
  std::uint32_t state = 0x51A5C0DEu;
  auto next = [&state](std::uint32_t range) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % range);
  };
  constexpr std::uint8_t starColours[] = {White, Cyan, Yellow, White, Magenta};
  for (int star = 0; star < starCount; ++star) {
    const int x = next(SplashWidth);
    const int y = next(SplashHeight);
    picture.Put(x, y, starColours[next(5)]);
  }
}

void DrawTitle(IndexedPicture& picture) {
  constexpr std::string_view title = "QUILLMOOR";
  constexpr int scale = 3;
  const int x = (picture.width - TextWidth(title, scale)) / 2;
  constexpr int y = 12;
  // A magenta drop shadow, then letters shading from yellow through white to
  // cyan, one band per glyph row.
  DrawText(picture, title, x + 2, y + 2, scale, Plain(Magenta));
  DrawText(picture, title, x, y, scale, {Yellow, Yellow, White, White, White, Cyan, Cyan, Cyan});
  // Four thin rules in the stripe colours underline it.
  constexpr std::uint8_t rules[] = {Red, Yellow, Green, Cyan};
  for (int rule = 0; rule < 4; ++rule) {
    FillRect(picture, x, y + 8 * scale + 4 + 3 * rule, TextWidth(title, scale), 2, rules[rule]);
  }
}

// A 3.5-inch disk seen from the front: blue shell with a cut corner, the
// metal shutter with its window, the write-protect hole and a paper label.
void DrawFloppy(IndexedPicture& picture, int x, int y) {
  constexpr int size = 72;
  FillRect(picture, x, y, size, size, Blue);
  for (int cut = 0; cut < 6; ++cut)
    FillRect(picture, x + size - 6 + cut, y + cut, 6 - cut, 1, Black);
  FillRect(picture, x + 18, y, 38, 26, White);
  FillRect(picture, x + 40, y + 4, 9, 18, Black);
  FillRect(picture, x + 4, y + size - 9, 6, 6, Black);
  FillRect(picture, x + 8, y + 32, 56, 40, White);
  DrawText(picture, "TRD", x + 13, y + 37, 2, Plain(Red));
  for (int line = 0; line < 3; ++line) FillRect(picture, x + 12, y + 56 + 5 * line, 48, 1, Cyan);
}

// A blue glow along the bottom edge, fading upwards in a 4 × 4 ordered
// dither, the way the machine's artists shaded with two colours.
void DrawHorizonGlow(IndexedPicture& picture, int rows) {
  constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int row = 0; row < rows; ++row) {
    const int y = picture.height - 1 - row;
    const int density = 16 - (row * 17) / rows;
    for (int x = 0; x < picture.width; ++x) {
      if (bayer[y % 4][x % 4] < density) picture.Put(x, y, Blue);
    }
  }
}

// The diagonal bands in the bottom-right corner.
void DrawStripes(IndexedPicture& picture) {
  constexpr std::uint8_t bands[] = {Red, Yellow, Green, Cyan};
  constexpr int bandWidth = 8;
  constexpr int top = 160;
  for (int y = top; y < picture.height; ++y) {
    for (int band = 0; band < 4; ++band) {
      const int start = 180 + band * bandWidth + (picture.height - 1 - y);
      FillRect(picture, start, y, bandWidth, 1, bands[band]);
    }
  }
}

}  // namespace

void IndexedPicture::Put(int x, int y, std::uint8_t colour) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  indices[static_cast<std::size_t>(y * width + x)] = colour;
}

void DrawText(IndexedPicture& picture, std::string_view text, int x, int y, int scale,
              const std::array<std::uint8_t, 8>& rowColours) {
  for (std::size_t index = 0; index < text.size(); ++index) {
    const Glyph glyph = GlyphFor(text[index]);
    const int left = x + static_cast<int>(index) * 8 * scale;
    for (int row = 0; row < 8; ++row) {
      for (int column = 0; column < 8; ++column) {
        if ((glyph[row] & (0x80 >> column)) == 0) continue;
        FillRect(picture, left + column * scale, y + row * scale, scale, scale, rowColours[row]);
      }
    }
  }
}

IndexedPicture DrawSplash(int starCount) {
  IndexedPicture picture{SplashWidth, SplashHeight,
                         std::vector<std::uint8_t>(SplashWidth * SplashHeight, Black)};
  constexpr int horizonGlowRows = 16;
  DrawHorizonGlow(picture, horizonGlowRows);
  DrawStars(picture, starCount);
  DrawTitle(picture);
  DrawCentredCaption(picture, "TR-DOS DISK RECOVERY", 58, Cyan);
  DrawFloppy(picture, 20, 80);
  constexpr int captionX = 108;
  DrawCaption(picture, "DROP A HARD", captionX, 84, White);
  DrawCaption(picture, "DISK IMAGE ON", captionX, 96, White);
  DrawCaption(picture, "THIS WINDOW.", captionX, 108, White);
  DrawCaption(picture, "EVERY DISK IN", captionX, 128, Green);
  DrawCaption(picture, "IT IS SAVED", captionX, 140, Green);
  DrawCaption(picture, "AS A TRD FILE.", captionX, 152, Green);
  DrawStripes(picture);
  DrawCaption(picture, "VERSION 1.0", 8, 176, Magenta);
  return picture;
}

}  // namespace quillmoor::media_generator

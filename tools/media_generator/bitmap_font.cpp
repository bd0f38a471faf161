#include "bitmap_font.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmoor::media_generator {
namespace {

struct GlyphArt {
  char character;
  // Seven drawn rows of seven pixels ('X' set); the eighth row and column stay
  // empty so characters set side by side never touch.
  std::string_view rows[7];
};

// Two-pixel-wide strokes: they stay readable when the title is scaled up and
// look at home on a 256 × 192 screen.
constexpr GlyphArt Art[] = {
    {' ', {".......", ".......", ".......", ".......", ".......", ".......", "......."}},
    {'-', {".......", ".......", ".......", "XXXXXX.", ".......", ".......", "......."}},
    {'.', {".......", ".......", ".......", ".......", ".......", "..XX...", "..XX..."}},
    {'0', {".XXXXX.", "XX..XXX", "XX.X.XX", "XX.X.XX", "XX.X.XX", "XXX..XX", ".XXXXX."}},
    {'1', {"..XX...", ".XXX...", "..XX...", "..XX...", "..XX...", "..XX...", "XXXXXX."}},
    {'2', {".XXXXX.", "XX...XX", ".....XX", "..XXXX.", ".XX....", "XX.....", "XXXXXXX"}},
    {'3', {".XXXXX.", "XX...XX", ".....XX", "..XXXX.", ".....XX", "XX...XX", ".XXXXX."}},
    {'4', {"...XXX.", "..XXXX.", ".XX.XX.", "XX..XX.", "XXXXXXX", "....XX.", "....XX."}},
    {'5', {"XXXXXXX", "XX.....", "XXXXXX.", ".....XX", ".....XX", "XX...XX", ".XXXXX."}},
    {'6', {".XXXXX.", "XX.....", "XX.....", "XXXXXX.", "XX...XX", "XX...XX", ".XXXXX."}},
    {'7', {"XXXXXXX", ".....XX", "....XX.", "...XX..", "..XX...", "..XX...", "..XX..."}},
    {'8', {".XXXXX.", "XX...XX", "XX...XX", ".XXXXX.", "XX...XX", "XX...XX", ".XXXXX."}},
    {'9', {".XXXXX.", "XX...XX", "XX...XX", ".XXXXXX", ".....XX", ".....XX", ".XXXXX."}},
    {'A', {".XXXXX.", "XX...XX", "XX...XX", "XXXXXXX", "XX...XX", "XX...XX", "XX...XX"}},
    {'B', {"XXXXXX.", "XX...XX", "XX...XX", "XXXXXX.", "XX...XX", "XX...XX", "XXXXXX."}},
    {'C', {".XXXXX.", "XX...XX", "XX.....", "XX.....", "XX.....", "XX...XX", ".XXXXX."}},
    {'D', {"XXXXX..", "XX..XX.", "XX...XX", "XX...XX", "XX...XX", "XX..XX.", "XXXXX.."}},
    {'E', {"XXXXXXX", "XX.....", "XX.....", "XXXXXX.", "XX.....", "XX.....", "XXXXXXX"}},
    {'F', {"XXXXXXX", "XX.....", "XX.....", "XXXXXX.", "XX.....", "XX.....", "XX....."}},
    {'G', {".XXXXX.", "XX...XX", "XX.....", "XX.XXXX", "XX...XX", "XX...XX", ".XXXXX."}},
    {'H', {"XX...XX", "XX...XX", "XX...XX", "XXXXXXX", "XX...XX", "XX...XX", "XX...XX"}},
    {'I', {"XXXXXX.", "..XX...", "..XX...", "..XX...", "..XX...", "..XX...", "XXXXXX."}},
    {'J', {"....XXX", ".....XX", ".....XX", ".....XX", "XX...XX", "XX...XX", ".XXXXX."}},
    {'K', {"XX...XX", "XX..XX.", "XX.XX..", "XXXX...", "XX.XX..", "XX..XX.", "XX...XX"}},
    {'L', {"XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XXXXXXX"}},
    {'M', {"XX...XX", "XXX.XXX", "XXXXXXX", "XX.X.XX", "XX...XX", "XX...XX", "XX...XX"}},
    {'N', {"XX...XX", "XXX..XX", "XXXX.XX", "XX.XXXX", "XX..XXX", "XX...XX", "XX...XX"}},
    {'O', {".XXXXX.", "XX...XX", "XX...XX", "XX...XX", "XX...XX", "XX...XX", ".XXXXX."}},
    {'P', {"XXXXXX.", "XX...XX", "XX...XX", "XXXXXX.", "XX.....", "XX.....", "XX....."}},
    {'Q', {".XXXXX.", "XX...XX", "XX...XX", "XX...XX", "XX.X.XX", "XX..XX.", ".XXX.XX"}},
    {'R', {"XXXXXX.", "XX...XX", "XX...XX", "XXXXXX.", "XX.XX..", "XX..XX.", "XX...XX"}},
    {'S', {".XXXXX.", "XX...XX", "XX.....", ".XXXXX.", ".....XX", "XX...XX", ".XXXXX."}},
    {'T', {"XXXXXX.", "..XX...", "..XX...", "..XX...", "..XX...", "..XX...", "..XX..."}},
    {'U', {"XX...XX", "XX...XX", "XX...XX", "XX...XX", "XX...XX", "XX...XX", ".XXXXX."}},
    {'V', {"XX...XX", "XX...XX", "XX...XX", "XX...XX", ".XX.XX.", "..XXX..", "...X..."}},
    {'W', {"XX...XX", "XX...XX", "XX...XX", "XX.X.XX", "XXXXXXX", "XXX.XXX", "XX...XX"}},
    {'X', {"XX...XX", ".XX.XX.", "..XXX..", "..XXX..", "..XXX..", ".XX.XX.", "XX...XX"}},
    {'Y', {"XX..XX.", "XX..XX.", "XX..XX.", ".XXXX..", "..XX...", "..XX...", "..XX..."}},
    {'Z', {"XXXXXXX", ".....XX", "....XX.", "...XX..", "..XX...", ".XX....", "XXXXXXX"}},
};

}  // namespace

Glyph GlyphFor(char character) {
  for (const GlyphArt& art : Art) {
    if (art.character != character) continue;
    Glyph glyph{};
    for (int row = 0; row < 7; ++row) {
      for (int column = 0; column < 7; ++column) {
        if (art.rows[row][column] == 'X') glyph[row] |= static_cast<std::uint8_t>(0x80 >> column);
      }
    }
    return glyph;
  }
  throw std::invalid_argument(std::string("no glyph for '") + character + "'");
}

}  // namespace quillmoor::media_generator

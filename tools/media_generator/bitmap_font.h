#pragma once

#include <array>
#include <cstdint>

namespace quillmoor::media_generator {

// One 8 × 8 character: eight rows, the leftmost pixel in the top bit.
using Glyph = std::array<std::uint8_t, 8>;

// The blocky capitals, digits and a little punctuation the title screen uses,
// drawn for this program. Throws std::invalid_argument for any other
// character, so a typo in a caption fails the generator instead of leaving a
// gap in the picture.
Glyph GlyphFor(char character);

}  // namespace quillmoor::media_generator

#pragma once

#include <vector>

namespace quillmoor::media_generator {

inline constexpr int ChimeChannels = 2;
inline constexpr int ChimeSampleRate = 44100;
inline constexpr int ChimeFrames = 136043;  // about 3.08 s

// The completion cue: a rising arpeggio of four glassy bell tones (C, E, G,
// high C) over a soft chorused C-major pad, with a sprinkle of tiny high
// pings like wind chimes, all in a small room and gently faded to silence at
// the end. Interleaved stereo in -1 to 1, peaking a little below 0.9.
std::vector<float> SynthesiseChime();

}  // namespace quillmoor::media_generator

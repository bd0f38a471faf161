#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quillmoor {

// Decoded sound: signed 16-bit samples, channels interleaved, at the
// stream's own rate.
struct PcmSound {
  int channels = 0;
  int sampleRate = 0;
  std::vector<std::int16_t> samples;
};

// Decodes a whole Ogg Vorbis stream held in memory, reading it through
// vorbisfile's read, seek, tell and close callbacks. nullopt when the bytes
// are not Ogg Vorbis, a chained stream changes its channels or rate, the
// data is damaged beyond a recoverable hole, or no sample comes out.
std::optional<PcmSound> DecodeOggVorbis(std::span<const std::uint8_t> ogg);

// The completion cue compiled into the program, decoded.
std::optional<PcmSound> LoadCompletionSound();

}  // namespace quillmoor

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace quillmoor::testing {

// The samples of a 16-bit PCM WAV file, interleaved.
struct WaveFile {
  int channels = 0;
  int sampleRate = 0;
  std::vector<std::int16_t> samples;
};

// Reads a RIFF WAVE file of 16-bit integer samples (plain or extensible
// format). A data chunk whose size was never filled in runs to the end of
// the file. nullopt for anything else.
std::optional<WaveFile> ReadWaveFile(const std::filesystem::path& path);

}  // namespace quillmoor::testing

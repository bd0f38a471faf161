#include "wave_file.h"

#include "test_support.h"

#include <cstring>
#include <string_view>

namespace quillmoor::testing {
namespace {

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Little16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool TagAt(const Bytes& bytes, std::size_t at, std::string_view tag) {
  return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, tag.data(), 4) == 0;
}

}  // namespace

std::optional<WaveFile> ReadWaveFile(const std::filesystem::path& path) {
  const Bytes bytes = ReadFileBytes(path);
  if (!TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) return std::nullopt;
  WaveFile wave;
  int bits = 0;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::size_t size = Little32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (TagAt(bytes, at, "fmt ") && body + 16 <= bytes.size()) {
      const int format = Little16(bytes, body);
      if (format != 1 && format != 0xFFFE) return std::nullopt;
      wave.channels = Little16(bytes, body + 2);
      wave.sampleRate = static_cast<int>(Little32(bytes, body + 4));
      bits = Little16(bytes, body + 14);
    } else if (TagAt(bytes, at, "data")) {
      if (bits != 16 || wave.channels == 0) return std::nullopt;
      const std::size_t end =
          (size == 0 || body + size > bytes.size()) ? bytes.size() : body + size;
      const std::size_t frameBytes = 2 * static_cast<std::size_t>(wave.channels);
      const std::size_t count = (end - body) / frameBytes * wave.channels;
      wave.samples.resize(count);
      for (std::size_t index = 0; index < count; ++index) {
        wave.samples[index] = static_cast<std::int16_t>(Little16(bytes, body + 2 * index));
      }
      return wave;
    }
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

}  // namespace quillmoor::testing

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace quillmoor {

// Every recognised disk image is 80 tracks x 2 sides x 16 sectors x 256 bytes.
inline constexpr std::size_t TrdImageSize = 655'360;

// The buffer one run scans through: three thirds of one image size each.
//   A [0, TrdImageSize)                  bytes before the part being tested
//   B [TrdImageSize, 2 * TrdImageSize)   the positions one chunk tests
//   C [2 * TrdImageSize, 3 * TrdImageSize) the bytes after them, so that an
//                                         image found in B can be written whole
// It is allocated once, zero-filled, and reused by every run; nothing is
// allocated per chunk or per candidate.
class ScanBuffer {
 public:
  static constexpr std::size_t ThirdSize = TrdImageSize;
  static constexpr std::size_t Size = 3 * ThirdSize;

  ScanBuffer() : bytes_(std::make_unique<std::uint8_t[]>(Size)) {}

  std::uint8_t* data() { return bytes_.get(); }
  const std::uint8_t* data() const { return bytes_.get(); }
  std::span<std::uint8_t, Size> bytes() {
    return std::span<std::uint8_t, Size>(bytes_.get(), Size);
  }
  std::span<const std::uint8_t, Size> bytes() const {
    return std::span<const std::uint8_t, Size>(bytes_.get(), Size);
  }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;  // value-initialised: all zero
};

}  // namespace quillmoor

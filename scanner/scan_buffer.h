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

  ScanBuffer() : storage_(std::make_unique<Storage>()) {}

  std::uint8_t* data() { return storage_->bytes; }
  const std::uint8_t* data() const { return storage_->bytes; }
  std::span<std::uint8_t, Size> bytes() { return std::span<std::uint8_t, Size>(data(), Size); }
  std::span<const std::uint8_t, Size> bytes() const {
    return std::span<const std::uint8_t, Size>(data(), Size);
  }

 private:
  // Page-aligned, so that each third starts on a page boundary as the file's
  // bytes do in the kernel's page cache: a read into memory a few bytes off
  // that alignment copies at about half the speed.
  struct alignas(4096) Storage {
    std::uint8_t bytes[Size];
  };
  std::unique_ptr<Storage> storage_;  // value-initialised: all zero
};

}  // namespace quillmoor

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillmoor {

// The dropped file, opened for reading only, with 64-bit lengths and offsets.
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Opens `path` read-only; returns 0 or the errno of the failure.
  int Open(const std::string& path);
  std::uint64_t Length() const { return length_; }

  // Fills `size` bytes from the current position, stopping early only at the
  // end of the file. Returns the bytes read, or -1 on a read error.
  std::int64_t ReadFully(std::uint8_t* into, std::size_t size);

 private:
  int fd_ = -1;
  std::uint64_t length_ = 0;
};

}  // namespace quillmoor

#include "input_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmoor {

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

int InputFile::Open(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return errno;
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return errno;
  length_ = static_cast<std::uint64_t>(info.st_size);
  // The file is read once from start to end: let the kernel read well ahead.
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  return 0;
}

std::int64_t InputFile::ReadFully(std::uint8_t* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd_, into + done, size - done);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

}  // namespace quillmoor

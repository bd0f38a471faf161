#include "output_file.h"

#include "image_naming.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace quillmoor {
namespace {

constexpr int TemporaryNameAttempts = 100;

// A fresh hidden name beside `path`, created exclusively so that no other file
// or link can be in the way. Returns the open descriptor, or -1.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  const std::size_t nameStart = FolderOf(path).size();
  static unsigned counter = 0;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = path.substr(0, nameStart) + "." + path.substr(nameStart) + "." +
                std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

WriteOutcome WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::string temporary;
  const int fd = CreateTemporaryBeside(path, temporary);
  if (fd < 0) return WriteOutcome::CannotCreate;
  const bool written = WriteAll(fd, bytes);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    return WriteOutcome::CannotWrite;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    // Something that is not a file holds the name, such as a folder.
    ::unlink(temporary.c_str());
    return WriteOutcome::CannotCreate;
  }
  return WriteOutcome::Written;
}

}  // namespace quillmoor

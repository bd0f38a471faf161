#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace quillmoor::cli {

// Real disks often carry a copy of their own catalogue and disk-information
// sector inside their file data, so the scan can accept a window that starts
// inside an image it has already found. This tells such windows apart: for
// each image of one file, in the order the scan finds them (which is the order
// of their offsets), it answers the number of the earliest earlier image whose
// bytes hold this image's first byte.
class EnclosingImages {
 public:
  // Records image `number` starting at file offset `offset`; returns the
  // earliest earlier image that contains that offset, if any.
  std::optional<int> Add(int number, std::int64_t offset);
  // Forgets every image, for the next file.
  void Clear() { recent_.clear(); }

 private:
  struct Placed {
    int number;
    std::int64_t offset;
  };
  // Only the images that can still contain a later one: those that start less
  // than one image size before the last offset seen.
  std::deque<Placed> recent_;
};

}  // namespace quillmoor::cli

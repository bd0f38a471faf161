#include "enclosing_images.h"

#include "scan_buffer.h"

namespace quillmoor::cli {

std::optional<int> EnclosingImages::Add(int number, std::int64_t offset) {
  constexpr auto Size = static_cast<std::int64_t>(TrdImageSize);
  // An image at s holds the offsets s .. s + Size - 1.
  while (!recent_.empty() && recent_.front().offset + Size <= offset) recent_.pop_front();
  std::optional<int> inside;
  if (!recent_.empty()) inside = recent_.front().number;
  recent_.push_back({number, offset});
  return inside;
}

}  // namespace quillmoor::cli

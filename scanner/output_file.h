#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quillmoor {

enum class WriteOutcome { Written, CannotCreate, CannotWrite };

// Writes `bytes` to `path` so that the name only ever stands for a complete
// file: the bytes go to a temporary file in the same folder, which takes the
// name once it is whole and closed. Whatever stood at the name before (a file,
// a symbolic link) is replaced, never written through. On failure nothing is
// left behind.
WriteOutcome WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quillmoor

#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quillmoor {

// True for the characters that separate path elements here: '/' everywhere,
// and '\' too on Windows (on Linux a backslash is an ordinary file-name byte).
bool IsPathSeparator(char c);

// The label bytes as stored: at most 10, ending before the first zero byte.
std::string ReadLabel(std::span<const std::uint8_t> labelField);

// A label made safe for a file name: printable ASCII up to '}' stays, except
// / \ : * ? < > | and '"', which, like every other byte, become spaces; then
// spaces are trimmed from both ends.
std::string CleanLabel(const std::string& label);

// The folder a file's images go to: its name without the last extension,
// followed by "_extract". "/data/img/hdd.img" gives "hdd_extract".
std::string OutputFolderName(const std::string& path);

// Where a file's images go by default: OutputFolderName(path) in the file's
// own folder. "/data/img/hdd.img" gives "/data/img/hdd_extract".
std::string OutputFolderBeside(const std::string& path);

// The folder part of a path, with its trailing separator ("/data/img/"), or
// "" when the path has none (the file is in the current folder).
std::string FolderOf(const std::string& path);

// decimal(number) + "_" + cleaned label + ".trd".
std::string OutputFileName(int number, const std::string& cleanedLabel);

}  // namespace quillmoor

#include "image_naming.h"

#include "trd_recogniser.h"

#include <algorithm>
#include <string_view>

namespace quillmoor {
namespace {

constexpr std::string_view UnsafeInFileName = "/\\:*?<>|\"";
constexpr std::string_view FolderSuffix = "_extract";

// Where the file-name part of a path starts.
std::size_t FileNameStart(const std::string& path) {
  const auto last = std::find_if(path.rbegin(), path.rend(), IsPathSeparator);
  return static_cast<std::size_t>(path.rend() - last);
}

bool KeepsInFileName(unsigned char c) {
  return c >= 32 && c <= 125 &&
         UnsafeInFileName.find(static_cast<char>(c)) == std::string_view::npos;
}

}  // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\';
#else
  return c == '/';
#endif
}

std::string ReadLabel(std::span<const std::uint8_t> labelField) {
  std::string label;
  for (std::size_t i = 0; i < labelField.size() && i < LabelLength && labelField[i] != 0; ++i) {
    label.push_back(static_cast<char>(labelField[i]));
  }
  return label;
}

std::string CleanLabel(const std::string& label) {
  std::string cleaned = label;
  for (char& c : cleaned) {
    if (!KeepsInFileName(static_cast<unsigned char>(c))) c = ' ';
  }
  const auto first = cleaned.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return cleaned.substr(first, cleaned.find_last_not_of(' ') - first + 1);
}

std::string OutputFolderName(const std::string& path) {
  const std::string fileName = path.substr(FileNameStart(path));
  const auto dot = fileName.rfind('.');
  return fileName.substr(0, dot) + std::string(FolderSuffix);
}

std::string OutputFolderBeside(const std::string& path) {
  return FolderOf(path) + OutputFolderName(path);
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, FileNameStart(path));
}

std::string OutputFileName(int number, const std::string& cleanedLabel) {
  return std::to_string(number) + "_" + cleanedLabel + ".trd";
}

}  // namespace quillmoor

#include "test_support.h"

#include "scan_buffer.h"
#include "trd_recogniser.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <unistd.h>

namespace quillmoor::testing {

Bytes MakeTrdImage(const std::string& label, int files) {
  Bytes image(TrdImageSize, 0);
  for (int i = 0; i < files; ++i) {
    std::uint8_t* entry = image.data() + i * CatalogueEntrySize;
    const std::string name =
        "FILE" + std::string(4 - std::to_string(i).size(), '0') + std::to_string(i);
    std::copy(name.begin(), name.end(), entry);
    entry[8] = 'C';
    entry[13] = 1;                                      // length in sectors
    entry[14] = static_cast<std::uint8_t>(i % 16);      // first sector
    entry[15] = static_cast<std::uint8_t>(1 + i / 16);  // first track
  }
  image[FirstFreeSectorOffset] = static_cast<std::uint8_t>(files % 16);
  image[FirstFreeTrackOffset] = static_cast<std::uint8_t>(1 + files / 16);
  image[DiskInfoOffset] = DiskType80Track2Side;
  image[FileCountOffset] = static_cast<std::uint8_t>(files);
  image[TrDosIdOffset] = TrDosId;
  std::copy_n(label.begin(), std::min(label.size(), LabelLength), image.begin() + LabelOffset);
  // Some file data, so that a copy from the wrong place shows.
  for (std::size_t i = 4096; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>((i * 7 + label.size()) % 251 + 1);
  }
  return image;
}

void PlaceAt(Bytes& into, std::size_t offset, const Bytes& image) {
  if (into.size() < offset + image.size()) into.resize(offset + image.size(), 0);
  std::copy(image.begin(), image.end(), into.begin() + static_cast<std::ptrdiff_t>(offset));
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path CorpusDir() {
#ifdef QUILLMOOR_CORPUS_DIR
  const std::filesystem::path dir = QUILLMOOR_CORPUS_DIR;
  if (std::filesystem::is_directory(dir)) return dir;
#endif
  return {};
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmoor-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Restore permissions a test may have taken away, so removal works.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ListFolder(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void RecordingSink::SetStatus(StatusField field, const std::string& text) {
  status[field] = text;
  calls.push_back("status " + std::to_string(field) + " " + text);
}

void RecordingSink::Pause(int milliseconds) {
  calls.push_back("pause " + std::to_string(milliseconds));
}

bool RecordingSink::PollCloseRequest() {
  calls.push_back("poll");
  return ++polls == closeOnPoll;
}

void RecordingSink::ShowMessage(const std::string& title, const std::string& text) {
  calls.push_back("message " + title + " | " + text);
}

void RecordingSink::ImageFound(const FoundImage& image) {
  images.push_back(image);
}

}  // namespace quillmoor::testing

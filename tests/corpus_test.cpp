#include "extract_images.h"
#include "test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

struct CorpusImage {
  std::string name;
  Bytes bytes;
  bool passes;
};

// The corpus images with whether a real 80-track double-sided disk should be
// recognised, as recorded beside them.
std::vector<CorpusImage> LoadCorpus(const fs::path& dir) {
  std::ifstream table(dir / "PROVENANCE.tsv");
  std::vector<CorpusImage> images;
  std::string line;
  std::getline(table, line);  // the column names
  while (std::getline(table, line)) {
    std::vector<std::string> columns;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    if (columns.size() < 8 || !fs::exists(dir / columns[0])) continue;
    images.push_back({columns[0], testing::ReadFileBytes(dir / columns[0]), columns[7] == "yes"});
  }
  return images;
}

// Real disk images scattered at unaligned offsets through noise, as they lie
// on a real hard disk: each one that a real disk would pass is found where it
// was put and written byte for byte; the others are not. Real disks may hold
// copies of their own catalogue in their data, so further finds may start
// inside a placed image, but never in the noise between them.
TEST(Corpus, RealImagesAmongNoiseAreFoundAndWrittenWhole) {
  const fs::path corpus = testing::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "the shared TRD corpus is not present; skipping";
  const std::vector<CorpusImage> images = LoadCorpus(corpus);
  ASSERT_FALSE(images.empty());

  std::mt19937 random(2026);
  Bytes disk;
  std::map<std::int64_t, const CorpusImage*> expected;
  std::vector<std::pair<std::int64_t, std::int64_t>> placed;  // [start, end) of every image
  for (const auto& image : images) {
    // Noise below 22 never holds a disk-type byte.
    const std::size_t gap = 1 + random() % 200'000;
    for (std::size_t i = 0; i < gap; ++i) disk.push_back(static_cast<std::uint8_t>(random() % 22));
    const auto start = static_cast<std::int64_t>(disk.size());
    placed.emplace_back(start, start + static_cast<std::int64_t>(image.bytes.size()));
    if (image.passes) expected[start] = &image;
    disk.insert(disk.end(), image.bytes.begin(), image.bytes.end());
  }
  testing::TempDir dir;
  testing::WriteFileBytes(dir / "hdd.img", disk);
  ScanBuffer buffer;
  testing::RecordingSink sink;

  ExtractImages((dir / "hdd.img").string(), sink, buffer);

  std::map<std::int64_t, bool> found;
  for (const auto& image : sink.images) {
    found[image.fileOffset] = true;
    const bool inPlacedImage = std::any_of(placed.begin(), placed.end(), [&](const auto& span) {
      return image.fileOffset > span.first && image.fileOffset < span.second;
    });
    const auto it = expected.find(image.fileOffset);
    EXPECT_TRUE(it != expected.end() || inPlacedImage) << "found in noise at " << image.fileOffset;
    // Whatever was found is written as the disk holds it; a short image is
    // completed by whatever follows it on the disk.
    const auto end =
        std::min(static_cast<std::size_t>(image.fileOffset) + TrdImageSize, disk.size());
    Bytes want(disk.begin() + image.fileOffset, disk.begin() + static_cast<std::ptrdiff_t>(end));
    want.resize(TrdImageSize, 0);
    EXPECT_EQ(testing::ReadFileBytes(image.outputPath), want) << image.outputPath;
  }
  for (const auto& [offset, image] : expected) {
    EXPECT_TRUE(found.count(offset)) << image->name << " placed at " << offset << " was not found";
  }
}

}  // namespace
}  // namespace quillmoor

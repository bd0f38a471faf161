// The scan against the plainest possible reading of what it must do: test
// every position of the file, with zeros outside it. Random files with many
// acceptable windows, placed where chunks and the reads inside them begin.

#include "extract_images.h"
#include "test_support.h"
#include "trd_recogniser.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

using testing::Bytes;
using testing::RecordingSink;

constexpr std::size_t T = TrdImageSize;

// Makes `file[p]` the disk-type byte of a disk-information sector that the
// recogniser accepts, with an empty catalogue.
void PlantWindow(Bytes& file, std::size_t p) {
  file[p - 2] = 0;  // first free sector
  file[p - 1] = 1;  // first free track
  file[p] = DiskType80Track2Side;
  file[p + 1] = 0;  // no files: only the first catalogue entry is looked at
  file[p + 4] = TrDosId;
  file[p + 17] = 0;  // deleted files
  if (p >= DiskInfoOffset) std::fill_n(file.begin() + static_cast<long>(p - DiskInfoOffset), 16, 0);
}

Bytes RandomBytes(std::size_t size) {
  std::mt19937 random(20240611);
  Bytes file(size);
  for (auto& byte : file) byte = static_cast<std::uint8_t>(random());
  return file;
}

constexpr std::size_t K64 = 64 * 1024;

// Windows every 32 KiB, each a different distance (-24 .. 24) off the mark:
// many images overlap, so the scan reads ahead for each and slides more than
// a chunk's end along.
Bytes DenseWindows() {
  Bytes file = RandomBytes(3 * T + 200'000);
  PlantWindow(file, 5);
  for (std::size_t k = 1; k * K64 / 2 + 24 + 18 <= file.size(); ++k) {
    PlantWindow(file, k * K64 / 2 + k % 49 - 24);
  }
  return file;
}

// Windows just before, on and after the places where chunks begin (multiples
// of 655,360) and where reads inside a chunk begin (every 256 KiB from a
// chunk's start), each more than an image size after the one before, so that
// no read ahead for an earlier image has already brought in the bytes there.
Bytes LoneWindowsAtReadBoundaries() {
  const int distances[] = {-24, -18, -17, -16, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3};
  std::vector<std::size_t> marks;  // in 64 KiB steps: a chunk is 10
  for (std::size_t k = 4; marks.size() < std::size(distances); ++k) {
    const bool boundary = k % 10 == 0 || k % 10 == 4 || k % 10 == 8;
    if (boundary && (marks.empty() || k >= marks.back() + 11)) marks.push_back(k);
  }
  Bytes file = RandomBytes((marks.back() + 5) * K64);
  for (std::size_t i = 0; i < marks.size(); ++i) {
    PlantWindow(file, marks[i] * K64 + static_cast<std::size_t>(distances[i]));
  }
  return file;
}

struct AgreementCase {
  const char* name;
  Bytes (*make)();
};

void PrintTo(const AgreementCase& layout, std::ostream* out) {
  *out << layout.name;
}

class ScanAgreement : public ::testing::TestWithParam<AgreementCase> {};

// Every position of the file is tested once, wherever reads and chunks begin
// and end: the images reported are exactly those a position-by-position check
// finds, each written with the file's bytes and zeros past its ends.
TEST_P(ScanAgreement, FindsWhatAPositionByPositionCheckFinds) {
  const Bytes file = GetParam().make();
  // The file with zeros before and after it, as the scan sees it.
  Bytes padded(DiskInfoOffset + file.size() + T, 0);
  std::copy(file.begin(), file.end(), padded.begin() + DiskInfoOffset);
  std::vector<std::int64_t> expected;
  for (std::size_t p = 0; p < file.size(); ++p) {
    if (MatchTrdAt(padded, DiskInfoOffset + p)) {
      expected.push_back(static_cast<std::int64_t>(p) - static_cast<std::int64_t>(DiskInfoOffset));
    }
  }
  ASSERT_GE(expected.size(), 14u) << "every window planted is an image";

  testing::TempDir work;
  testing::WriteFileBytes(work / "disk.img", file);
  ScanBuffer buffer;
  RecordingSink sink;
  ExtractImages((work / "disk.img").string(), sink, buffer);

  std::vector<std::int64_t> found;
  for (const FoundImage& image : sink.images) {
    found.push_back(image.fileOffset);
    const auto from = padded.begin() + static_cast<long>(image.fileOffset + DiskInfoOffset);
    EXPECT_EQ(testing::ReadFileBytes(image.outputPath), Bytes(from, from + static_cast<long>(T)))
        << "image " << image.number << " at " << image.fileOffset;
  }
  EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScanAgreement,
                         ::testing::Values(AgreementCase{"DenseWindows", DenseWindows},
                                           AgreementCase{"LoneWindowsAtReadBoundaries",
                                                         LoneWindowsAtReadBoundaries}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace quillmoor

#include "extract_images.h"

#include "test_support.h"
#include "trd_recogniser.h"

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::MakeTrdImage;
using testing::PlaceAt;
using testing::ReadFileBytes;
using testing::RecordingSink;

constexpr std::size_t T = TrdImageSize;

// The image bytes a file holds at `start`, with zeros for positions outside
// the file, as every output must be.
Bytes ExpectedImageAt(const Bytes& file, std::int64_t start) {
  Bytes image(T, 0);
  for (std::size_t i = 0; i < T; ++i) {
    const std::int64_t at = start + static_cast<std::int64_t>(i);
    if (at >= 0 && at < static_cast<std::int64_t>(file.size()))
      image[i] = file[static_cast<std::size_t>(at)];
  }
  return image;
}

class ExtractImagesTest : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    testing::WriteFileBytes(path, bytes);
    return path;
  }
  int Run(const fs::path& path, const ExtractOptions& options = {}) {
    return ExtractImages(path.string(), sink_, buffer_, options);
  }
  std::vector<std::int64_t> FoundOffsets() const {
    std::vector<std::int64_t> offsets;
    for (const auto& image : sink_.images) offsets.push_back(image.fileOffset);
    return offsets;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& call : sink_.calls) {
      if (call.rfind("message ", 0) == 0) messages.push_back(call);
    }
    return messages;
  }
  // Every image reported is on disk under its name, byte for byte.
  void ExpectWrittenFrom(const Bytes& file) {
    for (const auto& image : sink_.images) {
      SCOPED_TRACE(image.outputPath);
      ASSERT_TRUE(image.written);
      EXPECT_EQ(ReadFileBytes(image.outputPath), ExpectedImageAt(file, image.fileOffset));
    }
  }

  testing::TempDir dir_;
  ScanBuffer buffer_;
  RecordingSink sink_;
};

TEST_F(ExtractImagesTest, OneImageFileGivesOneNamedImage) {
  const Bytes file = MakeTrdImage("GAMES");
  const fs::path path = Write("hdd.img", file);

  EXPECT_EQ(Run(path), 1);

  EXPECT_EQ(testing::ListFolder(dir_.path()), (std::vector<std::string>{"hdd.img", "hdd_extract"}));
  EXPECT_EQ(testing::ListFolder(dir_ / "hdd_extract"), std::vector<std::string>{"1_GAMES.trd"});
  EXPECT_EQ(ReadFileBytes(dir_ / "hdd_extract" / "1_GAMES.trd"), file);
  EXPECT_EQ(sink_.calls, (std::vector<std::string>{"status 1 \"GAMES\"", "status 0  Find: 1",
                                                   "pause 1", "status 2 100%", "poll"}));
  ASSERT_EQ(sink_.images.size(), 1u);
  EXPECT_EQ(sink_.images[0].outputPath, (dir_ / "hdd_extract" / "1_GAMES.trd").string());
}

struct LayoutCase {
  std::string name;
  std::size_t fileLength;
  std::vector<std::int64_t> imageStarts;  // where images are placed
  std::vector<std::int64_t> expected;     // where images must be found
  std::vector<std::string> progress;      // the progress texts, in order
};

std::vector<std::string> ProgressTexts(const std::vector<std::string>& calls) {
  std::vector<std::string> texts;
  for (const auto& call : calls) {
    if (call.rfind("status 2 ", 0) == 0) texts.push_back(call.substr(9));
  }
  return texts;
}

// Positions chosen so that disk-type bytes fall on, just before and just after
// chunk boundaries (k * 655,360), and images cross them or the file's ends.
const std::int64_t D = static_cast<std::int64_t>(DiskInfoOffset);
const std::int64_t S = static_cast<std::int64_t>(T);
const LayoutCase kLayouts[] = {
    {"TwoImagesFillingTheFile", 2 * T, {0, S}, {0, S}, {"50%", "100%"}},
    {"ThreeImagesFillingTheFile", 3 * T, {0, S, 2 * S}, {0, S, 2 * S}, {"33%", "66%", "100%"}},
    {"StraddlesTheFirstChunkBoundary", 3 * T, {654'000}, {654'000}, {"33%", "66%", "100%"}},
    {"TypeByteJustBeforeABoundary", 3 * T, {S - 1 - D}, {S - 1 - D}, {"33%", "66%", "100%"}},
    {"TypeByteOnABoundary", 3 * T, {S - D}, {S - D}, {"33%", "66%", "100%"}},
    {"TypeByteJustAfterABoundary", 3 * T, {S + 1 - D}, {S + 1 - D}, {"33%", "66%", "100%"}},
    {"TypeBytesAroundTheSecondBoundary",
     5 * T,
     {2 * S - 1 - D, 3 * S - D + 17},
     {2 * S - 1 - D, 3 * S - D + 17},
     {"20%", "40%", "60%", "80%", "100%"}},
    {"EndsExactlyAtTheEndOfTheFile", 2 * T + 1000, {S + 1000}, {S + 1000}, {"49%", "99%", "100%"}},
    {"CutShortByTheEndOfTheFile", 3000, {0}, {0}, {"100%"}},
    {"StartsBeforeTheFile", T, {-2000}, {-2000}, {"100%"}},
    {"EmptyFile", 0, {}, {}, {"100%"}},
    // The file is read a piece at a time (256 KiB); the recogniser's last byte
    // and an image's bytes must be read before they are looked at.
    {"TypeByteEndsAReadPiece", 2 * T, {262'143 - D}, {262'143 - D}, {"50%", "100%"}},
    {"DeletedCountStartsAReadPiece", 2 * T, {262'127 - D}, {262'127 - D}, {"50%", "100%"}},
    {"TypeByteEndsTheSecondPiece", 2 * T, {S + 524'287 - D}, {S + 524'287 - D}, {"50%", "100%"}},
    {"CutShortInTheSecondChunk", T + 300'000, {S + 100}, {S + 100}, {"68%", "100%"}},
    // The first image reads ahead to the end of the file while the first chunk
    // is scanned; the second, in the last chunk, must still end in zeros.
    {"CutShortInBothChunks",
     T + 100'000,
     {200'000, S + 50'000},
     {200'000, S + 50'000},
     {"86%", "100%"}},
    {"ShorterThanAnImageWithNothing", 1000, {}, {}, {"100%"}},
};

// Each layout runs in a fresh buffer and again after a run that filled the
// whole buffer with 0xFF: the result must be the same, byte for byte.
class ExtractLayoutTest : public ExtractImagesTest,
                          public ::testing::WithParamInterface<std::tuple<LayoutCase, bool>> {};

TEST_P(ExtractLayoutTest, FindsEveryImageOnceAndWritesItWhole) {
  const auto& [layout, afterNoise] = GetParam();
  if (afterNoise) {
    ASSERT_EQ(Run(Write("noise.img", Bytes(4 * T, 0xFF))), 0);
    sink_ = RecordingSink();
  }
  Bytes file(layout.fileLength, 0);
  int n = 0;
  for (std::int64_t start : layout.imageStarts) {
    ++n;
    // Distinct labels so that a swapped number shows.
    Bytes image = MakeTrdImage("IMG" + std::to_string(n), n);
    if (start < 0) image.erase(image.begin(), image.begin() - start), start = 0;
    PlaceAt(file, static_cast<std::size_t>(start), image);
  }
  file.resize(layout.fileLength);
  const fs::path path = Write("disk.img", file);

  EXPECT_EQ(Run(path), static_cast<int>(layout.expected.size()));

  EXPECT_EQ(FoundOffsets(), layout.expected);
  EXPECT_EQ(ProgressTexts(sink_.calls), layout.progress);
  ExpectWrittenFrom(file);
  for (std::size_t i = 0; i < sink_.images.size(); ++i) {
    EXPECT_EQ(fs::path(sink_.images[i].outputPath).filename(),
              std::to_string(i + 1) + "_IMG" + std::to_string(i + 1) + ".trd");
  }
}

std::string LayoutName(const ::testing::TestParamInfo<std::tuple<LayoutCase, bool>>& info) {
  return std::get<0>(info.param).name + (std::get<1>(info.param) ? "AfterANoisyRun" : "");
}

INSTANTIATE_TEST_SUITE_P(Layouts, ExtractLayoutTest,
                         ::testing::Combine(::testing::ValuesIn(kLayouts), ::testing::Bool()),
                         LayoutName);

TEST_F(ExtractImagesTest, EarlierRunsLeaveNothingInALaterRunsOutput) {
  // The first file fills the whole buffer with non-zero bytes ...
  Bytes noisy(3 * T, 0xEE);
  PlaceAt(noisy, 5000, MakeTrdImage("NOISE"));
  ASSERT_EQ(Run(Write("noisy.img", noisy)), 1);
  // ... and the second holds an image cut short at both ends, whose missing
  // bytes must read as zero, as they do in a fresh buffer.
  Bytes image = MakeTrdImage("SHORT", 2);
  const Bytes cut(image.begin() + 1000, image.begin() + 300'000);
  const fs::path path = Write("short.img", cut);

  sink_ = RecordingSink();
  ASSERT_EQ(Run(path), 1);
  ASSERT_EQ(sink_.images.size(), 1u);
  EXPECT_EQ(sink_.images[0].fileOffset, -1000);
  EXPECT_EQ(ReadFileBytes(sink_.images[0].outputPath), ExpectedImageAt(cut, -1000));
}

TEST_F(ExtractImagesTest, SecondRunReusesTheFolderAndReplacesFiles) {
  Bytes file(2 * T, 0);
  PlaceAt(file, 0, MakeTrdImage("WORK"));
  PlaceAt(file, T, MakeTrdImage("WORK", 1));
  const fs::path path = Write("hdd.img", file);
  ASSERT_EQ(Run(path), 2);
  testing::WriteFileBytes(dir_ / "hdd_extract" / "1_WORK.trd", Bytes(10, 1));

  ASSERT_EQ(Run(path), 2);

  EXPECT_EQ(testing::ListFolder(dir_ / "hdd_extract"),
            (std::vector<std::string>{"1_WORK.trd", "2_WORK.trd"}));
  EXPECT_EQ(ReadFileBytes(dir_ / "hdd_extract" / "1_WORK.trd"), ExpectedImageAt(file, 0));
}

TEST_F(ExtractImagesTest, AFileThatCannotBeCreatedKeepsItsNumber) {
  Bytes file(3 * T, 0);
  PlaceAt(file, 0, MakeTrdImage("TOOLS"));
  PlaceAt(file, 2 * T, MakeTrdImage("TOOLS"));
  const fs::path path = Write("hdd.img", file);
  // A folder standing at the first image's name cannot be replaced by a file.
  fs::create_directories(dir_ / "hdd_extract" / "1_TOOLS.trd");

  EXPECT_EQ(Run(path), 2);

  EXPECT_EQ(Messages(), std::vector<std::string>{"message Error! | Cant create file: 1_TOOLS.trd"});
  EXPECT_EQ(testing::ListFolder(dir_ / "hdd_extract"),
            (std::vector<std::string>{"1_TOOLS.trd", "2_TOOLS.trd"}))
      << "no temporary file is left behind";
  EXPECT_TRUE(fs::is_directory(dir_ / "hdd_extract" / "1_TOOLS.trd"));
  EXPECT_EQ(ReadFileBytes(dir_ / "hdd_extract" / "2_TOOLS.trd"), ExpectedImageAt(file, 2 * S));
}

TEST_F(ExtractImagesTest, AShortWriteLeavesNoTruncatedImageAndIsReported) {
  Bytes file(2 * T, 0);
  PlaceAt(file, 0, MakeTrdImage("BIG"));
  PlaceAt(file, T, MakeTrdImage("NEXT"));
  const fs::path path = Write("hdd.img", file);
  fs::create_directories(dir_ / "hdd_extract");

  // A file-size limit below one image makes every write come up short, as a
  // full disk would.
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 100'000;
  setrlimit(RLIMIT_FSIZE, &small);
  const int found = Run(path);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);

  EXPECT_EQ(found, 2);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"message Error! | Cant write file: 1_BIG.trd",
                                                  "message Error! | Cant write file: 2_NEXT.trd"}));
  EXPECT_TRUE(testing::ListFolder(dir_ / "hdd_extract").empty());
  for (const auto& image : sink_.images) EXPECT_FALSE(image.written);
}

TEST_F(ExtractImagesTest, ASymbolicLinkAtTheOutputNameIsReplacedNotFollowed) {
  const Bytes file = MakeTrdImage("LINK");
  const fs::path path = Write("hdd.img", file);
  const Bytes victim(100, 7);
  testing::WriteFileBytes(dir_ / "victim", victim);
  fs::create_directories(dir_ / "hdd_extract");
  fs::create_symlink(dir_ / "victim", dir_ / "hdd_extract" / "1_LINK.trd");

  ASSERT_EQ(Run(path), 1);

  EXPECT_EQ(ReadFileBytes(dir_ / "victim"), victim);
  EXPECT_FALSE(fs::is_symlink(dir_ / "hdd_extract" / "1_LINK.trd"));
  EXPECT_EQ(ReadFileBytes(dir_ / "hdd_extract" / "1_LINK.trd"), file);
}

TEST_F(ExtractImagesTest, WithoutAnOutputFolderImagesGoBesideTheFile) {
  const Bytes file = MakeTrdImage("BESIDE");
  const fs::path path = Write("hdd.img", file);
  testing::WriteFileBytes(dir_ / "hdd_extract", Bytes(1, 0));  // a file holds the folder's name

  ASSERT_EQ(Run(path), 1);

  EXPECT_EQ(ReadFileBytes(dir_ / "1_BESIDE.trd"), file);
}

TEST_F(ExtractImagesTest, OutputGoesBesideTheFileWhateverTheCurrentFolder) {
  // On Linux a backslash is part of the name, not a separator.
  const Bytes file = MakeTrdImage("SLASH");
  fs::create_directories(dir_ / "sub");
  const fs::path path = Write("sub/my\\disk.img", file);

  ASSERT_EQ(Run(path), 1);

  EXPECT_EQ(ReadFileBytes(dir_ / "sub" / "my\\disk_extract" / "1_SLASH.trd"), file);
}

TEST_F(ExtractImagesTest, DryRunAndOutputFolderOptions) {
  const Bytes file = MakeTrdImage("OPT");
  const fs::path path = Write("hdd.img", file);

  ASSERT_EQ(Run(path, {.outputDir = "", .dryRun = true}), 1);
  EXPECT_EQ(testing::ListFolder(dir_.path()), std::vector<std::string>{"hdd.img"});
  EXPECT_FALSE(sink_.images[0].written);

  ASSERT_EQ(Run(path, {.outputDir = (dir_ / "out" / "deeper").string(), .dryRun = false}), 1);
  EXPECT_EQ(ReadFileBytes(dir_ / "out" / "deeper" / "1_OPT.trd"), file);
  EXPECT_FALSE(fs::exists(dir_ / "hdd_extract"));
}

TEST_F(ExtractImagesTest, CloseRequestStopsAfterTheCurrentChunk) {
  Bytes file(4 * T, 0);
  for (int i = 0; i < 4; ++i) {
    PlaceAt(file, static_cast<std::size_t>(i) * T,
            MakeTrdImage(std::string("C") += std::to_string(i)));
  }
  const fs::path path = Write("hdd.img", file);
  sink_.closeOnPoll = 2;

  EXPECT_EQ(Run(path), 2);

  EXPECT_EQ(sink_.polls, 2);
  EXPECT_EQ(ProgressTexts(sink_.calls), (std::vector<std::string>{"25%", "50%"}));
  EXPECT_EQ(testing::ListFolder(dir_ / "hdd_extract"),
            (std::vector<std::string>{"1_C0.trd", "2_C1.trd"}));
}

TEST_F(ExtractImagesTest, AFileThatCannotBeOpenedShowsNothing) {
  EXPECT_EQ(Run(dir_ / "missing.img"), 0);
  EXPECT_TRUE(sink_.calls.empty());
}

TEST_F(ExtractImagesTest, AReadErrorEndsTheRunWithAMessage) {
  // A folder opens for reading, but reading it fails.
  fs::create_directories(dir_ / "folder.img");

  EXPECT_EQ(Run(dir_ / "folder.img"), 0);

  EXPECT_EQ(sink_.calls, std::vector<std::string>{"message Error! | Cant read file: " +
                                                  (dir_ / "folder.img").string()});
}

TEST_F(ExtractImagesTest, NothingFoundChangesOnlyTheProgress) {
  const fs::path path = Write("blank.img", Bytes(2 * T + 5, 0x16));

  EXPECT_EQ(Run(path), 0);

  EXPECT_EQ(sink_.calls,
            (std::vector<std::string>{"pause 1", "status 2 49%", "poll", "pause 1", "status 2 99%",
                                      "poll", "pause 1", "status 2 100%", "poll"}));
  EXPECT_FALSE(fs::exists(dir_ / "blank_extract"));
}

}  // namespace
}  // namespace quillmoor

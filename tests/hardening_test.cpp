// Whole runs on real file systems at their limits: huge sparse files, a full
// disk, read-only places, and input built to be accepted nearly everywhere.

#include "extract_images.h"
#include "test_support.h"
#include "trd_recogniser.h"

#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::MakeTrdImage;
using testing::ReadFileBytes;
using testing::RecordingSink;

constexpr std::uint64_t T = TrdImageSize;

void WriteAt(const fs::path& path, std::uint64_t offset, const Bytes& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)),
            static_cast<ssize_t>(bytes.size()));
  ::close(fd);
}

// A small tmpfs of its own, for a disk that fills up or turns read-only.
// Mounting needs root; without it the tests that need one are skipped.
class ScratchMount {
 public:
  ScratchMount(const fs::path& where, std::uint64_t bytes) : where_(where) {
    fs::create_directories(where_);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool MakeReadOnly() {
    return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  fs::path where_;
  bool mounted_ = false;
};

std::vector<std::string> Messages(const RecordingSink& sink) {
  std::vector<std::string> messages;
  for (const auto& call : sink.calls) {
    if (call.rfind("message ", 0) == 0) messages.push_back(call.substr(8));
  }
  return messages;
}

TEST(Hardening, ImagesBeyondFourGibibytesAreFoundWhole) {
  testing::TempDir dir;
  const fs::path path = dir / "huge.img";
  // Sparse: only the images take space on the disk.
  const std::uint64_t fourGiB = std::uint64_t{1} << 32;
  const std::vector<std::uint64_t> starts = {fourGiB - 1000, fourGiB + T + 12'345};
  int n = 0;
  for (std::uint64_t start : starts)
    WriteAt(path, start, MakeTrdImage("HIGH" + std::to_string(++n)));
  fs::resize_file(path, fourGiB + 3 * T);
  ScanBuffer buffer;
  RecordingSink sink;

  ASSERT_EQ(ExtractImages(path.string(), sink, buffer), 2);

  for (std::size_t i = 0; i < starts.size(); ++i) {
    EXPECT_EQ(sink.images[i].fileOffset, static_cast<std::int64_t>(starts[i]));
    EXPECT_EQ(ReadFileBytes(sink.images[i].outputPath),
              MakeTrdImage("HIGH" + std::to_string(i + 1)));
  }
  EXPECT_EQ(sink.status[FieldProgress], "100%");
}

TEST(Hardening, AFullDiskLeavesNoTruncatedImage) {
  testing::TempDir dir;
  // Room for the source and one and a half images more.
  ScratchMount disk(dir / "disk", 3 * T + T + T / 2);
  if (!disk.mounted())
    GTEST_SKIP() << "mounting a small tmpfs needs root; skipping the full-disk test";
  Bytes source;
  for (const char* label : {"ONE", "TWO", "THREE"})
    testing::PlaceAt(source, source.size(), MakeTrdImage(label));
  testing::WriteFileBytes(dir / "disk" / "hdd.img", source);
  ScanBuffer buffer;
  RecordingSink sink;

  EXPECT_EQ(ExtractImages((dir / "disk" / "hdd.img").string(), sink, buffer), 3);

  EXPECT_EQ(Messages(sink), (std::vector<std::string>{"Error! | Cant write file: 2_TWO.trd",
                                                      "Error! | Cant write file: 3_THREE.trd"}));
  EXPECT_EQ(testing::ListFolder(dir / "disk" / "hdd_extract"),
            std::vector<std::string>{"1_ONE.trd"});
  EXPECT_EQ(sink.status[FieldProgress], "100%") << "the run goes on to the end";
}

TEST(Hardening, AReadOnlyPlaceIsReportedAndTheSourceIsUntouched) {
  testing::TempDir dir;
  ScratchMount disk(dir / "disk", 4 * T);
  if (!disk.mounted())
    GTEST_SKIP() << "mounting a small tmpfs needs root; skipping the read-only test";
  const Bytes source = MakeTrdImage("LOCKED");
  const fs::path path = dir / "disk" / "hdd.img";
  testing::WriteFileBytes(path, source);
  ASSERT_TRUE(disk.MakeReadOnly());
  ScanBuffer buffer;
  RecordingSink sink;

  EXPECT_EQ(ExtractImages(path.string(), sink, buffer), 1);

  EXPECT_EQ(Messages(sink), std::vector<std::string>{"Error! | Cant create file: 1_LOCKED.trd"});
  EXPECT_EQ(testing::ListFolder(dir / "disk"), std::vector<std::string>{"hdd.img"});
}

TEST(Hardening, TheSourceIsOnlyEverRead) {
  testing::TempDir dir;
  Bytes source(2 * T + 777, 0x5A);
  testing::PlaceAt(source, 4'321, MakeTrdImage("SOURCE"));
  const fs::path path = dir / "hdd.img";
  testing::WriteFileBytes(path, source);
  // Opening for writing would fail on a file nobody may write (for everyone
  // but root, who gets the byte and time checks below).
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  ScanBuffer buffer;
  RecordingSink sink;

  EXPECT_EQ(ExtractImages(path.string(), sink, buffer), 1);

  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(ReadFileBytes(path), source);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_size, before.st_size);
}

// Every eighth byte starts an image that passes every test: 22 at p, 16 at
// p + 4, zeros everywhere the recogniser looks in between.
Bytes HostilePattern(std::size_t length) {
  Bytes bytes(length, 0);
  for (std::size_t p = 0; p + 4 < length; p += 8) bytes[p] = 22, bytes[p + 4] = 16;
  return bytes;
}

TEST(Hardening, InputAcceptedEverywhereNeitherCrashesNorHangs) {
  testing::TempDir dir;
  const fs::path path = dir / "hostile.img";
  testing::WriteFileBytes(path, HostilePattern(1 << 20));
  ScanBuffer buffer;
  RecordingSink sink;

  // Listed only: one acceptance every eight bytes of the mebibyte.
  EXPECT_EQ(ExtractImages(path.string(), sink, buffer, {.outputDir = "", .dryRun = true}), 131'072);

  // Written: a slice, so the test stays small; each acceptance is a whole image.
  testing::WriteFileBytes(path, HostilePattern(512));
  sink = RecordingSink();
  EXPECT_EQ(ExtractImages(path.string(), sink, buffer), 64);
  EXPECT_EQ(testing::ListFolder(dir / "hostile_extract").size(), 64u);
  EXPECT_TRUE(Messages(sink).empty());
}

}  // namespace
}  // namespace quillmoor

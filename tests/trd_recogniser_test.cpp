#include "trd_recogniser.h"

#include "test_support.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

using testing::Bytes;
using testing::MakeTrdImage;

struct RecogniserCase {
  std::string name;
  int files;  // catalogue entries the base image has
  std::function<void(Bytes&)> change;
  bool accepted;
};

// Each case changes one field of a sound image to a value just inside or just
// outside what a real disk can hold.
const RecogniserCase kCases[] = {
    {"FreshlyFormattedDisk", 0, [](Bytes&) {}, true},
    {"DiskWithFiles", 5, [](Bytes&) {}, true},
    {"OtherDiskType", 0, [](Bytes& b) { b[DiskInfoOffset] = 23; }, false},
    {"NoTrDosId", 0, [](Bytes& b) { b[TrDosIdOffset] = 15; }, false},
    {"FirstFreeTrack159", 0, [](Bytes& b) { b[FirstFreeTrackOffset] = 159; }, true},
    // A full disk has every track in use: its first free track is 160.
    {"FullDiskFirstFreeTrack160", 0, [](Bytes& b) { b[FirstFreeTrackOffset] = 160; }, true},
    {"FirstFreeTrack161", 0, [](Bytes& b) { b[FirstFreeTrackOffset] = 161; }, false},
    {"FirstFreeTrack200ReadUnsigned", 0, [](Bytes& b) { b[FirstFreeTrackOffset] = 200; }, false},
    {"FirstFreeSector15", 0, [](Bytes& b) { b[FirstFreeSectorOffset] = 15; }, true},
    {"FirstFreeSector16", 0, [](Bytes& b) { b[FirstFreeSectorOffset] = 16; }, false},
    {"Deleted128", 0, [](Bytes& b) { b[DeletedCountOffset] = 128; }, true},
    {"Deleted129", 0, [](Bytes& b) { b[DeletedCountOffset] = 129; }, false},
    // With 128 files the entry after the last is the first 16 bytes of the
    // disk-information sector, zero on a fresh disk.
    {"Files128", 128, [](Bytes&) {}, true},
    {"Files129", 128, [](Bytes& b) { b[FileCountOffset] = 129; }, false},
    {"Files200ReadUnsigned", 128, [](Bytes& b) { b[FileCountOffset] = 200; }, false},
    {"DeletedEntryName", 3, [](Bytes& b) { b[0] = 1; }, true},
    {"NameByte2", 3, [](Bytes& b) { b[0] = 2; }, false},
    {"NameByte31", 3, [](Bytes& b) { b[16] = 31; }, false},
    {"NameByte32", 3, [](Bytes& b) { b[16] = 32; }, true},
    {"NameByte255", 3, [](Bytes& b) { b[16] = 255; }, true},
    {"EntrySector15Track159", 3, [](Bytes& b) { b[14] = 15, b[15] = 159; }, true},
    {"EntrySector16", 3, [](Bytes& b) { b[14] = 16; }, false},
    {"EntryTrack160", 3, [](Bytes& b) { b[15] = 160; }, false},
    // Entry N, the one after the last file, is checked as well ...
    {"EntryAfterLastFileSector16", 3, [](Bytes& b) { b[3 * 16 + 14] = 16; }, false},
    {"EntryAfterLastFileTrack160", 3, [](Bytes& b) { b[3 * 16 + 15] = 160; }, false},
    {"EntryAfterLastFileName5", 3, [](Bytes& b) { b[3 * 16] = 5; }, false},
    // ... but nothing beyond it.
    {"JunkTwoEntriesAfterLastFile", 3, [](Bytes& b) { b[4 * 16] = 5, b[4 * 16 + 15] = 200; }, true},
    {"FileDataIsNeverLookedAt", 0,
     [](Bytes& b) { std::fill(b.begin() + 4096, b.end(), std::uint8_t{0xFF}); }, true},
};

class RecogniserTest : public ::testing::TestWithParam<RecogniserCase> {};

TEST_P(RecogniserTest, DecidesAsARealDiskWould) {
  Bytes image = MakeTrdImage("CASE", GetParam().files);
  GetParam().change(image);
  EXPECT_EQ(MatchTrdAt(image, DiskInfoOffset), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Fields, RecogniserTest, ::testing::ValuesIn(kCases),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST(Recogniser, FindsTheDiskTypeByteAtAnyPosition) {
  // The same image one byte further along is found one byte further along.
  Bytes buffer(DiskInfoOffset + 1 + TrdImageSize, 0x55);
  testing::PlaceAt(buffer, 1, MakeTrdImage("SHIFTED"));
  EXPECT_FALSE(MatchTrdAt(buffer, DiskInfoOffset));
  EXPECT_TRUE(MatchTrdAt(buffer, DiskInfoOffset + 1));
}

}  // namespace
}  // namespace quillmoor

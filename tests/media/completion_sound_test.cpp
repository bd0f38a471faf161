#include "completion_sound.h"

#include "embedded_media.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

namespace quillmoor {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr long CueFrames = 136043;

struct OggPageInfo {
  int serial = 0;
  long sequence = 0;
  bool beginsStream = false;
  bool endsStream = false;
  std::int64_t granule = 0;
};

// Splits the bytes into pages with libogg, which drops any page whose CRC
// does not match; `skipped` counts bytes it had to pass over.
std::vector<OggPageInfo> ReadPages(std::span<const std::uint8_t> bytes, long* skipped = nullptr) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
  std::memcpy(buffer, bytes.data(), bytes.size());
  ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
  std::vector<OggPageInfo> pages;
  long lost = 0;
  ogg_page page;
  for (int result; (result = ogg_sync_pageout(&sync, &page)) != 0;) {
    if (result < 0) {
      ++lost;
      continue;
    }
    pages.push_back({ogg_page_serialno(&page), ogg_page_pageno(&page), ogg_page_bos(&page) != 0,
                     ogg_page_eos(&page) != 0, ogg_page_granulepos(&page)});
  }
  ogg_sync_clear(&sync);
  if (skipped != nullptr) *skipped = lost;
  return pages;
}

// The first packet of the stream, as libogg reassembles it.
Bytes IdentificationHeader(std::span<const std::uint8_t> bytes) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
  std::memcpy(buffer, bytes.data(), bytes.size());
  ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
  Bytes header;
  ogg_page page;
  if (ogg_sync_pageout(&sync, &page) == 1) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, ogg_page_serialno(&page));
    ogg_stream_pagein(&stream, &page);
    ogg_packet packet;
    if (ogg_stream_packetout(&stream, &packet) == 1) {
      header.assign(packet.packet, packet.packet + packet.bytes);
    }
    ogg_stream_clear(&stream);
  }
  ogg_sync_clear(&sync);
  return header;
}

std::int32_t Little32(const Bytes& bytes, std::size_t at) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) |
                                   static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                                   static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                                   static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// vorbisfile reading the bytes as a FILE (fmemopen) with its own stdio
// callbacks: a decoder path that shares nothing with DecodeOggVorbis's.
class StdioVorbisFile {
 public:
  explicit StdioVorbisFile(std::span<const std::uint8_t> bytes)
      : copy_(bytes.begin(), bytes.end()) {
    FILE* stream = fmemopen(copy_.data(), copy_.size(), "rb");
    open_ = stream != nullptr && ov_open(stream, &file_, nullptr, 0) == 0;
    if (!open_ && stream != nullptr) std::fclose(stream);
  }
  ~StdioVorbisFile() {
    if (open_) ov_clear(&file_);
  }
  StdioVorbisFile(const StdioVorbisFile&) = delete;
  StdioVorbisFile& operator=(const StdioVorbisFile&) = delete;

  bool open() const { return open_; }
  OggVorbis_File* get() { return &file_; }

  std::vector<std::int16_t> DecodeAll() {
    std::vector<std::int16_t> samples;
    char chunk[8192];
    int link = 0;
    for (long got; (got = ov_read(&file_, chunk, sizeof chunk, 0, 2, 1, &link)) > 0;) {
      const std::size_t before = samples.size();
      samples.resize(before + static_cast<std::size_t>(got) / 2);
      std::memcpy(samples.data() + before, chunk, static_cast<std::size_t>(got));
    }
    return samples;
  }

 private:
  Bytes copy_;
  OggVorbis_File file_{};
  bool open_ = false;
};

TEST(EmbeddedCue, IsExactly24900Bytes) {
  EXPECT_EQ(CompletionOgg().size(), 24900u);
}

TEST(EmbeddedCue, IsOneLogicalStreamInSevenPages) {
  long skipped = 0;
  const std::vector<OggPageInfo> pages = ReadPages(CompletionOgg(), &skipped);
  EXPECT_EQ(skipped, 0) << "bytes outside valid pages";
  ASSERT_EQ(pages.size(), 7u);
  for (std::size_t index = 0; index < pages.size(); ++index) {
    EXPECT_EQ(pages[index].serial, pages[0].serial) << "page " << index;
    EXPECT_EQ(pages[index].sequence, static_cast<long>(index));
    EXPECT_EQ(pages[index].beginsStream, index == 0) << "page " << index;
    EXPECT_EQ(pages[index].endsStream, index == pages.size() - 1) << "page " << index;
  }
  EXPECT_EQ(pages.back().granule, CueFrames);
}

TEST(EmbeddedCue, IdentificationHeaderGivesStereo44100WithOnlyANominalRate) {
  const Bytes header = IdentificationHeader(CompletionOgg());
  ASSERT_EQ(header.size(), 30u);
  EXPECT_EQ(std::string(header.begin(), header.begin() + 7), "\x01vorbis");
  EXPECT_EQ(Little32(header, 7), 0) << "Vorbis I";
  EXPECT_EQ(header[11], 2) << "channels";
  EXPECT_EQ(Little32(header, 12), 44100);
  EXPECT_LE(Little32(header, 16), 0) << "upper bit rate set";
  EXPECT_EQ(Little32(header, 20), 62480);
  EXPECT_LE(Little32(header, 24), 0) << "lower bit rate set";
}

TEST(EmbeddedCue, Holds136043SamplesPerChannelInOneStream) {
  StdioVorbisFile file(CompletionOgg());
  ASSERT_TRUE(file.open());
  EXPECT_EQ(ov_streams(file.get()), 1);
  EXPECT_EQ(ov_pcm_total(file.get(), -1), CueFrames);
}

TEST(CompletionSound, DecodesFromMemoryToTheSamePcmAsAFileDecoder) {
  const std::optional<PcmSound> sound = LoadCompletionSound();
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->channels, 2);
  EXPECT_EQ(sound->sampleRate, 44100);
  ASSERT_EQ(sound->samples.size(), 2u * CueFrames);
  StdioVorbisFile file(CompletionOgg());
  ASSERT_TRUE(file.open());
  EXPECT_TRUE(file.DecodeAll() == sound->samples);
}

TEST(CompletionSound, IsAudibleAndNeverClips) {
  const std::optional<PcmSound> sound = LoadCompletionSound();
  ASSERT_TRUE(sound.has_value());
  int peak = 0;
  for (std::int16_t sample : sound->samples) peak = std::max(peak, std::abs(int{sample}));
  EXPECT_GT(peak, 8000);
  EXPECT_LT(peak, 32767);
}

// Each case damages a copy of the embedded cue in one way.
struct Damage {
  const char* name;
  void (*apply)(Bytes& ogg);
};

// Where the second page starts: after the 58-byte identification page.
constexpr std::size_t SecondPageOffset = 58;

const Damage Damages[] = {
    {"Empty", [](Bytes& ogg) { ogg.clear(); }},
    {"NotOgg", [](Bytes& ogg) { std::fill(ogg.begin(), ogg.end(), std::uint8_t{0x5A}); }},
    {"IdentificationPageCorrupt", [](Bytes& ogg) { ogg[40] ^= 0x20; }},
    {"SetupHeaderCorrupt", [](Bytes& ogg) { ogg[SecondPageOffset + 2000] ^= 0x20; }},
    {"IdentificationPageOnly", [](Bytes& ogg) { ogg.resize(SecondPageOffset); }},
    {"CutInsideTheHeaders", [](Bytes& ogg) { ogg.resize(SecondPageOffset + 1000); }},
};

class DamagedCue : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedCue, DecodesToNothing) {
  const auto embedded = CompletionOgg();
  Bytes ogg(embedded.begin(), embedded.end());
  GetParam().apply(ogg);
  EXPECT_FALSE(DecodeOggVorbis(ogg).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedCue, ::testing::ValuesIn(Damages),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CompletionSound, CutShortStreamGivesTheSoundUpToTheCut) {
  const auto embedded = CompletionOgg();
  const Bytes half(embedded.begin(), embedded.begin() + embedded.size() / 2);
  const std::optional<PcmSound> sound = DecodeOggVorbis(half);
  ASSERT_TRUE(sound.has_value());
  const std::optional<PcmSound> whole = LoadCompletionSound();
  ASSERT_TRUE(whole.has_value());
  ASSERT_GT(sound->samples.size(), 0u);
  ASSERT_LT(sound->samples.size(), whole->samples.size());
  EXPECT_TRUE(std::equal(sound->samples.begin(), sound->samples.end(), whole->samples.begin()));
}

}  // namespace
}  // namespace quillmoor

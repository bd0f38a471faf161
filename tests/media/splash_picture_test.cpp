#include "splash_picture.h"

#include "completion_sound.h"
#include "embedded_media.h"

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

namespace quillmoor {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PngChunk {
  std::string type;
  Bytes data;
  bool crcMatches = false;
};

std::uint32_t Big32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | static_cast<std::uint32_t>(bytes[3]);
}

void PutBig32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int index = 0; index < 4; ++index) {
    bytes[at + index] = static_cast<std::uint8_t>(value >> (24 - 8 * index));
  }
}

constexpr std::array<std::uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Splits a PNG into its chunks without libpng, checking each CRC.
std::vector<PngChunk> ReadChunks(std::span<const std::uint8_t> png) {
  std::vector<PngChunk> chunks;
  std::size_t at = PngSignature.size();
  while (at + 12 <= png.size()) {
    const std::uint32_t length = Big32(&png[at]);
    if (at + 12 + length > png.size()) break;
    PngChunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(&png[at + 4]), 4);
    chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    const uLong crc = crc32(0, &png[at + 4], 4 + length);
    chunk.crcMatches = crc == Big32(&png[at + 8 + length]);
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  return chunks;
}

PngChunk ChunkOfType(const std::vector<PngChunk>& chunks, const std::string& type) {
  for (const PngChunk& chunk : chunks) {
    if (chunk.type == type) return chunk;
  }
  return {};
}

Bytes EmbeddedPng() {
  const auto png = SplashPng();
  return Bytes(png.begin(), png.end());
}

// Offsets in the embedded file, which begins signature (8), IHDR (8 + 13 + 4).
constexpr std::size_t IhdrWidthOffset = 16;
constexpr std::size_t PlteOffset = 8 + 25;
constexpr std::size_t IdatOffset = PlteOffset + 12 + 24 + 12 + 1;

TEST(EmbeddedSplash, IsExactly7425Bytes) {
  EXPECT_EQ(SplashPng().size(), 7425u);
}

TEST(EmbeddedSplash, HasExactlyTheFiveChunksInOrderWithGoodChecksums) {
  const auto png = SplashPng();
  ASSERT_GE(png.size(), PngSignature.size());
  EXPECT_TRUE(std::equal(PngSignature.begin(), PngSignature.end(), png.begin()));
  const std::vector<PngChunk> chunks = ReadChunks(png);
  std::vector<std::string> types;
  std::size_t covered = PngSignature.size();
  for (const PngChunk& chunk : chunks) {
    types.push_back(chunk.type);
    EXPECT_TRUE(chunk.crcMatches) << chunk.type;
    covered += 12 + chunk.data.size();
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "PLTE", "bKGD", "IDAT", "IEND"}));
  EXPECT_EQ(covered, png.size()) << "bytes after IEND";
}

TEST(EmbeddedSplash, HeaderIs256By192FourBitPaletteNotInterlaced) {
  const PngChunk header = ChunkOfType(ReadChunks(SplashPng()), "IHDR");
  ASSERT_EQ(header.data.size(), 13u);
  EXPECT_EQ(Big32(&header.data[0]), 256u);
  EXPECT_EQ(Big32(&header.data[4]), 192u);
  EXPECT_EQ(header.data[8], 4) << "bit depth";
  EXPECT_EQ(header.data[9], 3) << "colour type: palette";
  EXPECT_EQ(header.data[10], 0) << "compression";
  EXPECT_EQ(header.data[11], 0) << "filter method";
  EXPECT_EQ(header.data[12], 0) << "interlace";
}

const Bytes ExpectedPalette = {0,   0, 0,   254, 254, 254, 0,   254, 254, 0,   254, 0,
                               254, 0, 254, 0,   0,   254, 254, 0,   0,   254, 254, 0};

TEST(EmbeddedSplash, PaletteHoldsTheEightColoursInOrder) {
  EXPECT_EQ(ChunkOfType(ReadChunks(SplashPng()), "PLTE").data, ExpectedPalette);
}

TEST(EmbeddedSplash, BackgroundIsPaletteIndexZero) {
  EXPECT_EQ(ChunkOfType(ReadChunks(SplashPng()), "bKGD").data, Bytes{0});
}

// Palette indices straight from the IDAT data with zlib, undoing the five
// PNG row filters by hand: an oracle that shares no code with libpng.
std::vector<std::uint8_t> IndicesFromIdat(const Bytes& idat, int width, int height) {
  const std::size_t stride = static_cast<std::size_t>(width + 1) / 2;
  Bytes raw((stride + 1) * static_cast<std::size_t>(height));
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size()) {
    return {};
  }
  Bytes rows(stride * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const std::uint8_t filter = raw[y * (stride + 1)];
    for (std::size_t x = 0; x < stride; ++x) {
      const int value = raw[y * (stride + 1) + 1 + x];
      const int left = x > 0 ? rows[y * stride + x - 1] : 0;
      const int up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const int upLeft = (x > 0 && y > 0) ? rows[(y - 1) * stride + x - 1] : 0;
      int predictor = 0;
      if (filter == 1) predictor = left;
      if (filter == 2) predictor = up;
      if (filter == 3) predictor = (left + up) / 2;
      if (filter == 4) {
        const int estimate = left + up - upLeft;
        const int toLeft = std::abs(estimate - left);
        const int toUp = std::abs(estimate - up);
        const int toUpLeft = std::abs(estimate - upLeft);
        predictor =
            (toLeft <= toUp && toLeft <= toUpLeft) ? left : (toUp <= toUpLeft ? up : upLeft);
      }
      rows[y * stride + x] = static_cast<std::uint8_t>(value + predictor);
    }
  }
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width * height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
      const std::uint8_t packed = rows[y * stride + x / 2];
      indices[y * width + x] = (x % 2 == 0) ? packed >> 4 : packed & 0x0F;
    }
  }
  return indices;
}

TEST(SplashPicture, LoadsAs256By192PixelsInThePaletteColours) {
  const std::optional<Bitmap> bitmap = LoadSplashPicture();
  ASSERT_TRUE(bitmap.has_value());
  EXPECT_EQ(bitmap->width, 256);
  EXPECT_EQ(bitmap->height, 192);
  const std::vector<PngChunk> chunks = ReadChunks(SplashPng());
  const std::vector<std::uint8_t> indices =
      IndicesFromIdat(ChunkOfType(chunks, "IDAT").data, 256, 192);
  ASSERT_EQ(indices.size(), 256u * 192u);
  ASSERT_EQ(bitmap->pixels.size(), indices.size());
  std::array<int, 8> used{};
  for (std::size_t pixel = 0; pixel < indices.size(); ++pixel) {
    ASSERT_LT(indices[pixel], 8) << "pixel " << pixel;
    const std::uint8_t* rgb = &ExpectedPalette[indices[pixel] * 3];
    const std::uint32_t expected =
        0xFF000000u | static_cast<std::uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
    ASSERT_EQ(bitmap->pixels[pixel], expected) << "x " << pixel % 256 << " y " << pixel / 256;
    ++used[indices[pixel]];
  }
  // A title screen, not a blank: every colour of the palette appears.
  for (int colour = 0; colour < 8; ++colour) EXPECT_GT(used[colour], 0) << "colour " << colour;
}

// Each case damages a copy of the embedded picture in one way.
struct Damage {
  const char* name;
  void (*apply)(Bytes& png);
};

const Damage Damages[] = {
    {"Empty", [](Bytes& png) { png.clear(); }},
    {"SignatureOnly", [](Bytes& png) { png.resize(8); }},
    {"NotAPng", [](Bytes& png) { png[1] = 'J'; }},
    {"CutInsideTheHeader", [](Bytes& png) { png.resize(20); }},
    {"CutBeforeTheImageData", [](Bytes& png) { png.resize(IdatOffset); }},
    {"CutHalfWayThroughTheImageData", [](Bytes& png) { png.resize(IdatOffset + 3000); }},
    {"ImageDataChecksumWrong", [](Bytes& png) { png[IdatOffset + 500] ^= 0x55; }},
    {"ImageDataCorruptWithMatchingChecksum",
     [](Bytes& png) {
       // Garbage in the middle of the deflate stream, with the chunk's CRC
       // recomputed so only the decompressor can notice.
       for (std::size_t at = IdatOffset + 8 + 40; at < IdatOffset + 8 + 200; ++at) png[at] = 0xFF;
       const std::uint32_t length = Big32(&png[IdatOffset]);
       PutBig32(png, IdatOffset + 8 + length,
                static_cast<std::uint32_t>(crc32(0, &png[IdatOffset + 4], 4 + length)));
     }},
    {"WidthHugeWithMatchingChecksum",
     [](Bytes& png) {
       PutBig32(png, IhdrWidthOffset, 0x7FFFFFFFu);
       PutBig32(png, 8 + 8 + 13, static_cast<std::uint32_t>(crc32(0, &png[12], 17)));
     }},
    {"PaletteChecksumWrong", [](Bytes& png) { png[PlteOffset + 10] ^= 0x01; }},
};

class DamagedSplash : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedSplash, DecodesToNothingAndLeavesDecodingWorking) {
  Bytes png = EmbeddedPng();
  GetParam().apply(png);
  EXPECT_FALSE(DecodePng(png).has_value());
  // Nothing is left broken for what comes next: the good picture and the
  // cue still decode.
  EXPECT_TRUE(DecodePng(SplashPng()).has_value());
  EXPECT_TRUE(LoadCompletionSound().has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedSplash, ::testing::ValuesIn(Damages),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace quillmoor

#include "exact_size_search.h"

#include "chime_synth.h"
#include "splash_art.h"
#include "vorbis_writer.h"

#include <cmath>

#include <zlib.h>

namespace quillmoor::media_generator {
namespace {

// Stronger matching first; Huffman-only coding last, as it leaves the most
// redundancy in. Each memory level changes deflate's block boundaries, so
// several are tried before the artwork changes.
std::vector<DeflateSettings> DeflateCandidates() {
  std::vector<DeflateSettings> candidates;
  for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_RLE, Z_HUFFMAN_ONLY}) {
    for (int memLevel = 9; memLevel >= 1; --memLevel) {
      candidates.push_back({9, strategy, memLevel, 15});
    }
  }
  return candidates;
}

constexpr int ChimeSerialNumber = 0x51554C4D;  // "QULM"

}  // namespace

std::optional<SplashResult> FindSplash(int maxStars) {
  const std::vector<DeflateSettings> candidates = DeflateCandidates();
  for (int stars = 0; stars <= maxStars; ++stars) {
    const IndexedPicture picture = DrawSplash(stars);
    for (const DeflateSettings& deflate : candidates) {
      std::optional<std::vector<std::uint8_t>> png = EncodeIndexedPng(picture, deflate);
      if (png && png->size() == SplashFileSize)
        return SplashResult{std::move(*png), stars, deflate};
    }
  }
  return std::nullopt;
}

std::vector<std::string> ChimeComments(std::size_t paddingSpaces) {
  return {"TITLE=Run complete", "ARTIST=Quillmoor",
          "DESCRIPTION=Played when a scan ends" + std::string(paddingSpaces, ' ')};
}

std::optional<ChimeResult> FindChime() {
  const std::vector<float> samples = SynthesiseChime();
  for (int step = 0; step <= 200; ++step) {
    const double lowpass = 22.0 - 0.05 * step;
    std::optional<EncodedVorbis> encoded =
        EncodeVorbis(samples, ChimeChannels, ChimeSampleRate, {ChimeNominalBitrate, lowpass});
    if (!encoded) continue;
    // Padding adds a byte at a time, and one more whenever the comment
    // packet crosses a multiple of 255 bytes (another lacing value), so try
    // every amount up to the gap.
    const std::size_t bare = AssembleOggStream(*encoded, MakeCommentHeader(ChimeComments(0)),
                                               ChimeAudioPages, ChimeSerialNumber)
                                 .size();
    if (bare > ChimeFileSize) continue;
    for (std::size_t spaces = 0; spaces <= ChimeFileSize - bare; ++spaces) {
      std::vector<std::uint8_t> ogg = AssembleOggStream(
          *encoded, MakeCommentHeader(ChimeComments(spaces)), ChimeAudioPages, ChimeSerialNumber);
      if (ogg.size() == ChimeFileSize) return ChimeResult{std::move(ogg), lowpass, spaces};
    }
  }
  return std::nullopt;
}

}  // namespace quillmoor::media_generator

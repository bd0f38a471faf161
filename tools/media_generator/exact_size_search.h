#pragma once

#include "png_writer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmoor::media_generator {

// The required forms of the two embedded files.
inline constexpr std::size_t SplashFileSize = 7425;
inline constexpr std::size_t ChimeFileSize = 24900;
inline constexpr long ChimeNominalBitrate = 62480;
inline constexpr int ChimeAudioPages = 5;  // after the two header pages: 7 in all

struct SplashResult {
  std::vector<std::uint8_t> png;
  int starCount = 0;
  DeflateSettings deflate;
};

// Tries star counts from 0 upwards and, for each, the deflate strategies and
// memory levels in a fixed order; returns the first encoding of exactly
// SplashFileSize bytes, or nullopt when none up to `maxStars` fits.
std::optional<SplashResult> FindSplash(int maxStars = 3000);

struct ChimeResult {
  std::vector<std::uint8_t> ogg;
  double lowpassKhz = 0;
  std::size_t paddingSpaces = 0;
};

// Encodes the chime with encoder low-pass settings from 22 kHz down in
// 0.05 kHz steps, takes the first whose stream is at most ChimeFileSize bytes
// and fills the difference with trailing spaces in the DESCRIPTION comment.
// nullopt if no setting fits.
std::optional<ChimeResult> FindChime();

// The comments the cue carries; DESCRIPTION gets `paddingSpaces` spaces.
std::vector<std::string> ChimeComments(std::size_t paddingSpaces);

}  // namespace quillmoor::media_generator

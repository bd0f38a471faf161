#include "embedded_media.h"

#include <cstddef>

// Defined in the sources generated from the asset files.
extern const unsigned char quillmoorSplashPng[];
extern const std::size_t quillmoorSplashPngSize;
extern const unsigned char quillmoorCompletionOgg[];
extern const std::size_t quillmoorCompletionOggSize;

namespace quillmoor {

std::span<const std::uint8_t> SplashPng() {
  return {quillmoorSplashPng, quillmoorSplashPngSize};
}

std::span<const std::uint8_t> CompletionOgg() {
  return {quillmoorCompletionOgg, quillmoorCompletionOggSize};
}

}  // namespace quillmoor

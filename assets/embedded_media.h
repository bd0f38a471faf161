#pragma once

#include <cstdint>
#include <span>

namespace quillmoor {

// The title-screen picture and the completion cue, compiled into the
// program from assets/splash.png and assets/completion.ogg.
std::span<const std::uint8_t> SplashPng();
std::span<const std::uint8_t> CompletionOgg();

}  // namespace quillmoor

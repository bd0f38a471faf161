#include "embedded_media.h"

#include "splash_picture.h"

#include <cstring>

namespace quillmoor {

void EmbeddedMedia::OpenSoundOutput() {
  output_ = SoundOutput::Open();
}

void EmbeddedMedia::LoadCompletionSound() {
  const std::optional<PcmSound> sound = quillmoor::LoadCompletionSound();
  // The decoded samples live on in the sound output's buffer.
  if (sound && output_) output_->Load(*sound);
}

QImage EmbeddedMedia::LoadSplashPicture() {
  const std::optional<Bitmap> bitmap = quillmoor::LoadSplashPicture();
  if (!bitmap) return {};
  QImage image(bitmap->width, bitmap->height, QImage::Format_ARGB32);
  for (int y = 0; y < bitmap->height; ++y) {
    std::memcpy(image.scanLine(y),
                bitmap->pixels.data() + static_cast<std::size_t>(y) * bitmap->width,
                static_cast<std::size_t>(bitmap->width) * sizeof(std::uint32_t));
  }
  return image;
}

void EmbeddedMedia::PlayCompletionSound() {
  if (output_) output_->PlayCompletionSound();
}

}  // namespace quillmoor

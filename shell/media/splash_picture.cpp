#include "splash_picture.h"

#include "embedded_media.h"

#include <png.h>

namespace quillmoor {
namespace {

// Far above anything the program carries; a header claiming more is taken
// as damage rather than as a reason to allocate gigabytes.
constexpr png_uint_32 MaxSide = 4096;

// libpng's simplified reader, released whatever happens.
class PngImageReader {
 public:
  PngImageReader() { image_.version = PNG_IMAGE_VERSION; }
  ~PngImageReader() { png_image_free(&image_); }
  PngImageReader(const PngImageReader&) = delete;
  PngImageReader& operator=(const PngImageReader&) = delete;

  png_image& image() { return image_; }

 private:
  png_image image_{};
};

std::uint32_t PackArgb(const std::uint8_t* rgba) {
  return static_cast<std::uint32_t>(rgba[3]) << 24 | static_cast<std::uint32_t>(rgba[0]) << 16 |
         static_cast<std::uint32_t>(rgba[1]) << 8 | static_cast<std::uint32_t>(rgba[2]);
}

}  // namespace

std::optional<Bitmap> DecodePng(std::span<const std::uint8_t> png) {
  if (png.empty()) return std::nullopt;
  PngImageReader reader;
  png_image& image = reader.image();
  if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) return std::nullopt;
  if (image.width == 0 || image.height == 0 || image.width > MaxSide || image.height > MaxSide) {
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) == 0) return std::nullopt;
  // A warning alone (say, a damaged ancillary chunk) still gives a good
  // picture; only failures count.
  if (PNG_IMAGE_FAILED(image)) return std::nullopt;

  Bitmap bitmap{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  bitmap.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  for (std::size_t index = 0; index < bitmap.pixels.size(); ++index) {
    bitmap.pixels[index] = PackArgb(&rgba[index * 4]);
  }
  return bitmap;
}

std::optional<Bitmap> LoadSplashPicture() {
  return DecodePng(SplashPng());
}

}  // namespace quillmoor

#include "png_writer.h"

#include <csetjmp>

#include <png.h>

namespace quillmoor::media_generator {
namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {
}

std::vector<std::uint8_t> PackNibbles(const IndexedPicture& picture) {
  const int stride = (picture.width + 1) / 2;
  std::vector<std::uint8_t> packed(static_cast<std::size_t>(stride * picture.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int shift = (x % 2 == 0) ? 4 : 0;
      packed[static_cast<std::size_t>(y * stride + x / 2)] |=
          static_cast<std::uint8_t>((picture.At(x, y) & 0x0F) << shift);
    }
  }
  return packed;
}

// Everything libpng touches lives in plain locals set up before setjmp, so a
// longjmp out of libpng skips no destructor.
bool WritePng(const IndexedPicture& picture, const DeflateSettings& deflate,
              std::vector<png_bytep>& rows, std::vector<std::uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendToVector, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 4, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::array<png_color, SplashPalette.size()> palette{};
  for (std::size_t index = 0; index < SplashPalette.size(); ++index) {
    palette[index] = {SplashPalette[index].red, SplashPalette[index].green,
                      SplashPalette[index].blue};
  }
  png_set_PLTE(png, info, palette.data(), static_cast<int>(SplashPalette.size()));
  png_color_16 background{};
  background.index = 0;
  png_set_bKGD(png, info, &background);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, deflate.level);
  png_set_compression_strategy(png, deflate.strategy);
  png_set_compression_mem_level(png, deflate.memLevel);
  png_set_compression_window_bits(png, deflate.windowBits);
  // Large enough that the whole compressed image goes out as one IDAT.
  png_set_compression_buffer_size(png, 1 << 20);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeIndexedPng(const IndexedPicture& picture,
                                                          const DeflateSettings& deflate) {
  std::vector<std::uint8_t> packed = PackNibbles(picture);
  const std::size_t stride = static_cast<std::size_t>((picture.width + 1) / 2);
  std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = packed.data() + y * stride;
  std::vector<std::uint8_t> out;
  if (!WritePng(picture, deflate, rows, out)) return std::nullopt;
  return out;
}

}  // namespace quillmoor::media_generator

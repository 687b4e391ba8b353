#include "gdiplus/PngDecoder.h"

#include <png.h>

#include <cstring>

namespace winsim {

namespace {

struct Reader {
  const uint8_t* bytes;
  size_t size;
  size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->position) png_error(png, "truncated");
  std::memcpy(out, reader->bytes + reader->position, length);
  reader->position += length;
}

void WarnNowhere(png_structp, png_const_charp) {}

// Everything libpng may deliver becomes 8-bit blue, green, red, alpha.
void AskForBgra(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

}  // namespace

bool IsPng(const uint8_t* bytes, size_t size) { return size >= 8 && png_sig_cmp(bytes, 0, 8) == 0; }

bool DecodePng(const uint8_t* bytes, size_t size, int& width, int& height, std::vector<uint32_t>& pixels) {
  if (!IsPng(bytes, size)) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, WarnNowhere);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  Reader reader{bytes, size, 0};
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  AskForBgra(png, info);
  width = static_cast<int>(png_get_image_width(png, info));
  height = static_cast<int>(png_get_image_height(png, info));
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  rows.resize(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = reinterpret_cast<png_bytep>(&pixels[static_cast<size_t>(y) * static_cast<size_t>(width)]);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace winsim

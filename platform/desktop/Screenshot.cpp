// Screenshots: the composed screen written as NAME.png into the output folder.
#include <png.h>

#include <cstdio>

#include "Desktop.h"

namespace winsim {

namespace {

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  // The pixels are blue, green, red, alpha in memory: drop the alpha byte.
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < height; ++y)
    png_write_row(png, reinterpret_cast<png_const_bytep>(&pixels[static_cast<size_t>(y) * static_cast<size_t>(width)]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace

bool WriteScreenshot(const std::string& name) {
  const DesktopState& d = Desktop();
  if (d.outDir.empty()) return false;
  return WritePng(d.outDir + "/" + name + ".png", d.screenWidth, d.screenHeight, ComposeScreen());
}

}  // namespace winsim

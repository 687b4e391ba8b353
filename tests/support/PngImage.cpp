#include "PngImage.h"

#include <png.h>

#include <fstream>
#include <iterator>

namespace testing_support {

PngImage::PngImage(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return;
  // BGRA in memory is 0xAARRGGBB in a little-endian word.
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(PNG_IMAGE_SIZE(image) / 4);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return;
  }
  m_width = static_cast<int>(image.width);
  m_height = static_cast<int>(image.height);
  m_pixels = std::move(pixels);
}

uint32_t PngImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<size_t>(y) * m_width + x];
}

uint32_t PngImage::Rgb(int x, int y) const {
  const uint32_t p = At(x, y);
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

bool PngImage::SameArea(int left, int top, int right, int bottom, const PngImage& other, int otherLeft,
                        int otherTop) const {
  if (left < 0 || top < 0 || right > m_width || bottom > m_height) return false;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const int ox = otherLeft + x - left;
      const int oy = otherTop + y - top;
      if (ox < 0 || oy < 0 || ox >= other.m_width || oy >= other.m_height) return false;
      if ((At(x, y) & 0xFFFFFF) != (other.At(ox, oy) & 0xFFFFFF)) return false;
    }
  }
  return true;
}

}  // namespace testing_support

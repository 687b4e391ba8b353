// A screenshot or image file read back for sampling: tests look at pixels
// where a user would look at them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testing_support {

class PngImage {
 public:
  // Reads a PNG file; a missing or broken file gives an empty image.
  explicit PngImage(const std::filesystem::path& file);

  bool empty() const { return m_pixels.empty(); }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // The pixel as 0xAARRGGBB; outside the image, 0.
  uint32_t At(int x, int y) const;
  // The pixel as a COLORREF-ordered 0x00BBGGRR, alpha dropped.
  uint32_t Rgb(int x, int y) const;
  // Whether every pixel of the rectangle [left, right) x [top, bottom) equals
  // the same rectangle of `other` placed at (otherLeft, otherTop).
  bool SameArea(int left, int top, int right, int bottom, const PngImage& other, int otherLeft,
                int otherTop) const;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<uint32_t> m_pixels;  // 0xAARRGGBB, top-down
};

}  // namespace testing_support

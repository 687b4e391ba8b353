// Small pixel fixtures and the test program's own resource table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework.h"

namespace fixtures {

// Resource ids of the table (see Fixtures.cpp).
constexpr UINT kBitmap24 = 200;     // RT_BITMAP, 3 x 2, 24 bits: red green blue / white black magenta
constexpr UINT kBitmap8 = 201;      // RT_BITMAP, 2 x 1, 8 bits with a colour table: yellow, cyan
constexpr UINT kAlphaPng = 202;     // "PNG", 2 x 1: opaque red, half-transparent white
constexpr UINT kNotAnImage = 203;   // "PNG" whose bytes are text
// RT_BITMAP, 3 x 1, 8 bits with all 256 colours and biClrUsed 0, as such
// bitmaps usually are: entry i is RGB(i, 255 - i, 64); pixels 200, 7, 255.
constexpr UINT kBitmap8AllColours = 204;
constexpr UINT kFramePng = 130;     // "PNG", the shipped frame image
constexpr UINT kIcon = 128;        // RT_GROUP_ICON of the shipped icon, its images RT_ICON 1 and 2
constexpr UINT kMissing = 999;

// 0xAARRGGBB pixels, top row first.
struct Image {
  int width;
  int height;
  std::vector<uint32_t> pixels;
};

std::vector<uint8_t> BitmapFile(const Image& image, int bits);  // 24 or 32 bits, no colour table
std::vector<uint8_t> Png(const Image& image);
std::vector<uint8_t> ReadFile(const std::string& path);

// A memory DC over a new 32-bit bitmap of the screen's format.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  CDC* dc() { return &m_dc; }
  COLORREF At(int x, int y) { return ::GetPixel(m_dc, x, y); }

 private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_previous;
};

// What every test checks it left behind: GDI objects, DCs, global blocks and
// COM objects alive.
struct Live {
  size_t objects, dcs, blocks, com;
  static Live Now();
  bool operator==(const Live&) const = default;
};

}  // namespace fixtures

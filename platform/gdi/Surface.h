// Pixels of a bitmap or a window, kept in one of the device-independent
// layouts so that a DIB section's caller sees exactly the memory GDI draws in.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace winsim {

// A pixel as GDI hands colours around inside the stand-in: 0xAARRGGBB, the
// memory order of a 32-bit DIB (blue, green, red, alpha).
using Argb = uint32_t;

inline constexpr Argb RgbOf(Argb p) { return p & 0x00FFFFFFu; }
// COLORREF (0x00BBGGRR) to a pixel with alpha 0, and back.
inline constexpr Argb ArgbFromColorRef(uint32_t c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline constexpr uint32_t ColorRefFromArgb(Argb p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

struct Surface {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 32;  // 1, 8, 16, 24 or 32
  int stride = 0;         // bytes per row, a multiple of 4
  bool bottomUp = false;  // the first row in memory is the image's bottom row
  // 16 bits per pixel: 5-6-5 when set (BI_BITFIELDS), 5-5-5 otherwise.
  bool rgb565 = false;
  // Colour table of 1- and 8-bit surfaces, as 0x00RRGGBB.
  std::vector<Argb> colours;
  // Whole 32-bit words, so that 32-bit rows are read as what they hold.
  // Taken zeroed from the C heap, which hands large blocks out as fresh
  // zero pages without writing them.
  struct Free {
    void operator()(uint32_t* p) const;
  };
  std::unique_ptr<uint32_t[], Free> storage;

  // A zero-filled surface; monochrome ones get the black/white table.
  static std::shared_ptr<Surface> Create(int width, int height, int bitsPerPixel, bool bottomUp = false);
  // A copy in the screen's format: 32 bits, top row first, alpha 0.
  static std::shared_ptr<Surface> ScreenCopy(const Surface& from);
  // A colour as a 16-bit pixel, 5-6-5 or 5-5-5.
  static uint32_t Pack16(Argb colour, bool rgb565);
  static int StrideFor(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

  uint8_t* Bits() { return reinterpret_cast<uint8_t*>(storage.get()); }
  const uint8_t* Bits() const { return reinterpret_cast<const uint8_t*>(storage.get()); }
  // Row y of the image, 0 being the top.
  uint8_t* Row(int y) { return Bits() + static_cast<size_t>(MemoryRow(y)) * static_cast<size_t>(stride); }
  const uint8_t* Row(int y) const { return Bits() + static_cast<size_t>(MemoryRow(y)) * static_cast<size_t>(stride); }
  int MemoryRow(int y) const { return bottomUp ? height - 1 - y : y; }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // The stored value: a colour-table index for 1 and 8 bits, the packed
  // pixel otherwise.
  uint32_t Raw(int x, int y) const { return bitsPerPixel == 32 ? Row32(y)[x] : RawPacked(x, y); }
  void SetRaw(int x, int y, uint32_t value) {
    if (bitsPerPixel == 32) Row32(y)[x] = value;
    else SetRawPacked(x, y, value);
  }
  // The pixel's colour; alpha is kept only by 32-bit surfaces.
  Argb Colour(int x, int y) const;
  // Stores a colour in the surface's format (nearest table entry for
  // indexed surfaces).
  void SetColour(int x, int y, Argb colour);
  bool IsMonochrome() const { return bitsPerPixel == 1; }
  uint32_t* Row32(int y) { return storage.get() + static_cast<size_t>(MemoryRow(y)) * static_cast<size_t>(stride / 4); }
  const uint32_t* Row32(int y) const {
    return storage.get() + static_cast<size_t>(MemoryRow(y)) * static_cast<size_t>(stride / 4);
  }

 private:
  uint32_t RawPacked(int x, int y) const;
  void SetRawPacked(int x, int y, uint32_t value);
};

}  // namespace winsim

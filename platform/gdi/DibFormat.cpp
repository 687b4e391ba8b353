#include "gdi/DibFormat.h"

#include <cstring>

#include "win32/Unsupported.h"

namespace winsim::gdi {

DibFormat DibFormat::Of(const Surface& s) {
  DibFormat f;
  f.width = s.width;
  f.height = s.height;
  f.bitsPerPixel = s.bitsPerPixel;
  f.rgb565 = s.rgb565;
  f.stride = Surface::StrideFor(s.width, s.bitsPerPixel);
  f.colourCount = static_cast<int>(s.colours.size());
  return f;
}

bool DibFormat::Read(const BITMAPINFOHEADER& h, const DWORD* masks) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return false;
  width = h.biWidth;
  height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bottomUp = h.biHeight > 0;
  bitsPerPixel = h.biBitCount;
  if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) {
    WINSIM_UNSUPPORTED("bits per pixel other than 1, 8, 16, 24 or 32");
    return false;
  }
  if (h.biCompression == BI_BITFIELDS) {
    const bool is565 = bitsPerPixel == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
    const bool is888 = bitsPerPixel == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
    if (!is565 && !is888) {
      WINSIM_UNSUPPORTED("colour masks other than 5-6-5 and 8-8-8");
      return false;
    }
    rgb565 = is565;
  } else if (h.biCompression != BI_RGB) {
    WINSIM_UNSUPPORTED("compressed bitmaps");
    return false;
  }
  stride = Surface::StrideFor(width, bitsPerPixel);
  colourCount = bitsPerPixel <= 8 ? (h.biClrUsed ? static_cast<int>(h.biClrUsed) : 1 << bitsPerPixel) : 0;
  return true;
}

void DibFormat::Write(BITMAPINFOHEADER& h, DWORD* masks) const {
  const DWORD size = h.biSize;
  std::memset(&h, 0, sizeof h);
  h.biSize = size;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bitsPerPixel);
  h.biCompression = rgb565 ? BI_BITFIELDS : BI_RGB;
  h.biSizeImage = static_cast<DWORD>(stride * height);
  if (rgb565) masks[0] = 0xF800, masks[1] = 0x07E0, masks[2] = 0x001F;
}

std::shared_ptr<Surface> DibFormat::NewSurface(const RGBQUAD* colours) const {
  auto s = Surface::Create(width, height, bitsPerPixel, bottomUp);
  s->rgb565 = rgb565;
  if (bitsPerPixel <= 8) {
    s->colours.resize(static_cast<size_t>(colourCount));
    for (int i = 0; i < colourCount; ++i)
      s->colours[static_cast<size_t>(i)] = (static_cast<Argb>(colours[i].rgbRed) << 16) |
                                           (static_cast<Argb>(colours[i].rgbGreen) << 8) | colours[i].rgbBlue;
  }
  return s;
}

void DibFormat::Store(uint8_t* row, int x, Argb colour) const {
  const uint32_t value = bitsPerPixel == 16 ? Surface::Pack16(colour, rgb565) : bitsPerPixel == 24 ? RgbOf(colour) : colour;
  std::memcpy(row + x * bitsPerPixel / 8, &value, static_cast<size_t>(bitsPerPixel / 8));
}

}  // namespace winsim::gdi

// Icons drawn into a DC: the image nearest the asked size, scaled, through
// its alpha channel or its mask.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/DibFormat.h"
#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "gdiplus/PngDecoder.h"
#include "win32/Icons.h"
#include "win32/Unsupported.h"
#include "win32/WinUser.h"

using namespace winsim;
using namespace winsim::gdi;

namespace {

// Straight-alpha BGRA pixels of one icon image, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

bool DecodeDibIcon(const IconImage& image, Pixels& out) {
  BITMAPINFOHEADER h;
  if (image.size < sizeof h) return false;
  std::memcpy(&h, image.data, sizeof h);
  h.biHeight /= 2;  // the colour image, then the mask of the same size
  DibFormat colourFormat;
  DWORD masks[3] = {};
  if (!colourFormat.Read(h, masks)) return false;
  const size_t tableBytes = static_cast<size_t>(colourFormat.colourCount) * 4;
  const int maskStride = Surface::StrideFor(colourFormat.width, 1);
  const size_t needed = h.biSize + tableBytes + static_cast<size_t>(colourFormat.stride + maskStride) * static_cast<size_t>(colourFormat.height);
  if (image.size < needed) return false;
  auto colours = colourFormat.NewSurface(reinterpret_cast<const RGBQUAD*>(image.data + h.biSize));
  const uint8_t* bits = image.data + h.biSize + tableBytes;
  std::memcpy(colours->Bits(), bits, static_cast<size_t>(colourFormat.stride * colourFormat.height));
  const uint8_t* mask = bits + colourFormat.stride * colourFormat.height;
  bool hasAlpha = false;
  out = {colourFormat.width, colourFormat.height, {}};
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const Argb c = colours->Colour(x, y);
      hasAlpha |= (c >> 24) != 0;
      const bool transparent = (mask[(out.height - 1 - y) * maskStride + (x >> 3)] >> (7 - (x & 7))) & 1;
      out.argb.push_back(transparent ? RgbOf(c) : 0xFF000000u | c);
    }
  // 32-bit images carry their own alpha; the mask serves the others.
  if (hasAlpha)
    for (int y = 0; y < out.height; ++y)
      for (int x = 0; x < out.width; ++x) out.argb[static_cast<size_t>(y * out.width + x)] = colours->Colour(x, y);
  return true;
}

bool Decode(const IconImage& image, Pixels& out) {
  if (IsPng(image.data, image.size)) return DecodePng(image.data, image.size, out.width, out.height, out.argb);
  return DecodeDibIcon(image, out);
}

const IconImage* Nearest(const IconObject& icon, int cx, int cy) {
  const IconImage* best = nullptr;
  for (const IconImage& image : icon.images) {
    const int miss = std::abs(image.width - cx) + std::abs(image.height - cy);
    if (!best || miss < std::abs(best->width - cx) + std::abs(best->height - cy)) best = &image;
  }
  return best;
}

}  // namespace

extern "C" BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                                  HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  DeviceContext* dc = FindDC(hdc);
  IconObject* icon = FindIcon(hIcon);
  if (!dc || !icon || icon->images.empty()) return FALSE;
  if (hbrFlickerFreeDraw || (diFlags & DI_NORMAL) != DI_NORMAL || !dc->surface) {
    WINSIM_UNSUPPORTED("icons drawn other than normally onto a surface");
    return FALSE;
  }
  const IconImage* chosen = Nearest(*icon, cxWidth ? cxWidth : GetSystemMetrics(SM_CXICON),
                                    cyWidth ? cyWidth : GetSystemMetrics(SM_CYICON));
  Pixels pixels;
  if (!Decode(*chosen, pixels)) return FALSE;
  const int w = cxWidth ? cxWidth : pixels.width, h = cyWidth ? cyWidth : pixels.height;
  const RECT r = DeviceRect(*dc, {xLeft, yTop, xLeft + w, yTop + h});
  for (int y = r.top; y < r.bottom; ++y) {
    const int sy = (y - dc->origin.y - yTop) * pixels.height / h;
    for (int x = r.left; x < r.right; ++x) {
      const int sx = (x - dc->origin.x - xLeft) * pixels.width / w;
      const uint32_t p = pixels.argb[static_cast<size_t>(sy * pixels.width + sx)];
      BlendPixel(*dc->surface, x, y, RgbOf(p), p >> 24);
    }
  }
  return TRUE;
}

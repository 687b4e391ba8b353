// GDI+ drawing on a device context: images composed over what is there,
// premultiplied, so that a 32-bit section ends up with the premultiplied
// alpha that per-pixel-alpha layered windows take.
#include <algorithm>

#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "gdiplus/GpObjects.h"

using namespace Gdiplus;

namespace {

uint32_t Over(uint32_t source, uint32_t dest) {
  const uint32_t a = source >> 24;
  if (a == 255) return source;
  if (a == 0) return dest;
  const uint32_t keep = 255 - a;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= std::min<uint32_t>(255, ((source >> shift) & 0xFF) + (((dest >> shift) & 0xFF) * keep + 127) / 255) << shift;
  return out;
}

}  // namespace

extern "C" Status WINAPI GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  if (!winsim::gdiplus::Started()) return GdiplusNotInitialized;
  winsim::gdi::DeviceContext* dc = winsim::gdi::FindDC(hdc);
  if (!dc || !dc->surface) return OutOfMemory;
  *graphics = new GpGraphics{hdc, SmoothingModeDefault};
  return Ok;
}

extern "C" Status WINAPI GdipDeleteGraphics(GpGraphics* graphics) {
  if (!graphics) return InvalidParameter;
  delete graphics;
  return Ok;
}

extern "C" Status WINAPI GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  if (!graphics || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias) return InvalidParameter;
  graphics->smoothing = mode;
  return Ok;
}

extern "C" Status WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                            INT height) {
  if (!graphics || !image) return InvalidParameter;
  winsim::gdi::DeviceContext* dc = winsim::gdi::FindDC(graphics->hdc);
  if (!dc || !dc->surface) return InvalidParameter;
  if (width <= 0 || height <= 0 || image->width == 0 || image->height == 0) return Ok;
  winsim::Surface& s = *dc->surface;
  const RECT r = winsim::gdi::DeviceRect(*dc, {x, y, x + width, y + height});
  for (int dy = r.top; dy < r.bottom; ++dy) {
    // Nearest source pixel, which at the natural size is the pixel itself.
    const int sy = static_cast<int>(static_cast<long long>(dy - dc->origin.y - y) * image->height / height);
    const uint32_t* sourceRow = &image->pixels[static_cast<size_t>(sy) * static_cast<size_t>(image->width)];
    for (int dx = r.left; dx < r.right; ++dx) {
      const int sx = width == image->width ? dx - dc->origin.x - x
                                           : static_cast<int>(static_cast<long long>(dx - dc->origin.x - x) * image->width / width);
      const uint32_t source = sourceRow[sx];
      if (s.bitsPerPixel == 32) s.Row32(dy)[dx] = Over(source, s.Row32(dy)[dx]);
      else s.SetColour(dx, dy, Over(source, s.Colour(dx, dy) | 0xFF000000u));
    }
  }
  return Ok;
}

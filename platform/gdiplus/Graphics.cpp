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

GpImage::Span::Kind KindOf(uint32_t pixel) {
  const uint32_t a = pixel >> 24;
  return a == 0 ? GpImage::Span::Clear : a == 255 ? GpImage::Span::Opaque : GpImage::Span::Mixed;
}

// Columns [from, to) of an image row at its natural size onto 32-bit pixels
// that start at column 0 of the image.
void ComposeRow(GpImage& image, int row, uint32_t* dest, int from, int to) {
  const uint32_t* source = &image.pixels[static_cast<size_t>(row) * static_cast<size_t>(image.width)];
  for (const GpImage::Span& span : image.SpansOf(row)) {
    const int start = std::max(span.start, from), end = std::min(span.end, to);
    if (start >= end || span.kind == GpImage::Span::Clear) continue;
    if (span.kind == GpImage::Span::Opaque) {
      std::copy(source + start, source + end, dest + start);
      continue;
    }
    for (int i = start; i < end; ++i) dest[i] = Over(source[i], dest[i]);
  }
}

}  // namespace

const std::vector<GpImage::Span>& GpImage::SpansOf(int row) {
  if (spans.empty()) {
    spans.resize(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
      const uint32_t* p = &pixels[static_cast<size_t>(y) * static_cast<size_t>(width)];
      auto& out = spans[static_cast<size_t>(y)];
      for (int x = 0; x < width; ++x) {
        const Span::Kind kind = KindOf(p[x]);
        if (!out.empty() && out.back().kind == kind) ++out.back().end;
        else out.push_back({x, x + 1, kind});
      }
    }
  }
  return spans[static_cast<size_t>(row)];
}

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
  const int left = x + dc->origin.x, top = y + dc->origin.y;
  for (int dy = r.top; dy < r.bottom; ++dy) {
    // Nearest source pixel, which at the natural size is the pixel itself.
    const int sy = static_cast<int>(static_cast<long long>(dy - top) * image->height / height);
    const uint32_t* sourceRow = &image->pixels[static_cast<size_t>(sy) * static_cast<size_t>(image->width)];
    uint32_t* destRow = s.bitsPerPixel == 32 ? s.Row32(dy) : nullptr;
    if (destRow && width == image->width) {
      ComposeRow(*image, sy, destRow + left, r.left - left, r.right - left);
      continue;
    }
    for (int dx = r.left; dx < r.right; ++dx) {
      const int sx = width == image->width ? dx - left : static_cast<int>(static_cast<long long>(dx - left) * image->width / width);
      const uint32_t source = sourceRow[sx];
      if (destRow) destRow[dx] = Over(source, destRow[dx]);
      else s.SetColour(dx, dy, Over(source, s.Colour(dx, dy) | 0xFF000000u));
    }
  }
  return Ok;
}

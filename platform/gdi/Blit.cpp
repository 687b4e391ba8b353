// Block transfers between DCs with the raster operations the system uses,
// including the platform's colour/monochrome conversion rules.
#include <algorithm>
#include <cstring>

#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "win32/Unsupported.h"

using namespace winsim;
using namespace winsim::gdi;

namespace {

enum class Op { Copy, And, Or, Xor, Black, White };

bool OpOf(DWORD rop, Op& op) {
  switch (rop) {
    case SRCCOPY: op = Op::Copy; return true;
    case SRCAND: op = Op::And; return true;
    case SRCPAINT: op = Op::Or; return true;
    case SRCINVERT: op = Op::Xor; return true;
    case BLACKNESS: op = Op::Black; return true;
    case WHITENESS: op = Op::White; return true;
    default: return false;
  }
}

bool NeedsSource(Op op) { return op != Op::Black && op != Op::White; }

uint32_t Apply(Op op, uint32_t source, uint32_t dest, uint32_t ones) {
  switch (op) {
    case Op::Copy: return source;
    case Op::And: return source & dest;
    case Op::Or: return source | dest;
    case Op::Xor: return source ^ dest;
    case Op::Black: return 0;
    default: return ones;
  }
}

struct Transfer {
  DeviceContext* dest;
  DeviceContext* source;  // null for BLACKNESS and WHITENESS
  RECT to;                // logical destination
  RECT from;              // logical source
  Op op;
};

// A source pixel as the destination's format sees it: a bit for a
// monochrome destination, a pixel otherwise.
uint32_t Converted(const Transfer& t, int sx, int sy) {
  const Surface& s = *t.source->surface;
  const bool destMono = t.dest->surface->IsMonochrome();
  if (s.IsMonochrome()) {
    const uint32_t bit = s.Raw(sx, sy);
    if (destMono) return bit;
    // Monochrome to colour: 1 becomes the background colour, 0 the text colour.
    return ArgbFromColorRef(bit ? t.dest->bkColour : t.dest->textColour);
  }
  const Argb colour = s.Colour(sx, sy);
  // Colour to monochrome: the source's background colour becomes 1.
  if (destMono) return RgbOf(colour) == ArgbFromColorRef(t.source->bkColour) ? 1u : 0u;
  return colour;
}

void Store(const Transfer& t, int dx, int dy, uint32_t value) {
  Surface& d = *t.dest->surface;
  if (d.IsMonochrome()) {
    d.SetRaw(dx, dy, Apply(t.op, value, d.Raw(dx, dy), 1) & 1);
  } else if (d.bitsPerPixel == 32) {
    d.SetRaw(dx, dy, Apply(t.op, value, d.Raw(dx, dy), 0x00FFFFFF));
  } else {
    d.SetColour(dx, dy, Apply(t.op, RgbOf(value), RgbOf(d.Colour(dx, dy)), 0x00FFFFFF));
  }
}

// Source column or row for a destination offset, sampling pixel centres.
int SourceOffset(int offset, int destExtent, int sourceExtent) {
  return static_cast<int>((static_cast<long long>(offset) * 2 + 1) * sourceExtent / (2LL * destExtent));
}

bool FastCopy(const Transfer& t, const RECT& r) {
  const Surface& s = *t.source->surface;
  Surface& d = *t.dest->surface;
  const int w = t.to.right - t.to.left, h = t.to.bottom - t.to.top;
  if (t.op != Op::Copy || s.bitsPerPixel != 32 || d.bitsPerPixel != 32 || w != t.from.right - t.from.left ||
      h != t.from.bottom - t.from.top)
    return false;
  const int shiftX = t.from.left + t.source->origin.x - (t.to.left + t.dest->origin.x);
  const int shiftY = t.from.top + t.source->origin.y - (t.to.top + t.dest->origin.y);
  const RECT& sc = t.source->clip;
  const int left = std::max<int>(r.left, sc.left - shiftX), right = std::min<int>(r.right, sc.right - shiftX);
  const int top = std::max<int>(r.top, sc.top - shiftY), bottom = std::min<int>(r.bottom, sc.bottom - shiftY);
  for (int y = top; y < bottom; ++y)
    if (left < right)
      std::memmove(d.Row32(y) + left, s.Row32(y + shiftY) + left + shiftX, static_cast<size_t>(right - left) * 4);
  return true;
}

void Run(const Transfer& t) {
  const RECT r = DeviceRect(*t.dest, t.to);
  if (IsEmpty(r)) return;
  if (!t.source) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) Store(t, x, y, 0);
    return;
  }
  if (FastCopy(t, r)) return;
  const int dw = t.to.right - t.to.left, dh = t.to.bottom - t.to.top;
  const int sw = t.from.right - t.from.left, sh = t.from.bottom - t.from.top;
  const RECT& sc = t.source->clip;
  for (int y = r.top; y < r.bottom; ++y) {
    const int dy = y - t.dest->origin.y - t.to.top;
    const int sy = t.from.top + (dh == sh ? dy : SourceOffset(dy, dh, sh)) + t.source->origin.y;
    if (sy < sc.top || sy >= sc.bottom) continue;
    for (int x = r.left; x < r.right; ++x) {
      const int dx = x - t.dest->origin.x - t.to.left;
      const int sx = t.from.left + (dw == sw ? dx : SourceOffset(dx, dw, sw)) + t.source->origin.x;
      if (sx < sc.left || sx >= sc.right) continue;
      Store(t, x, y, Converted(t, sx, sy));
    }
  }
}

BOOL TransferBits(HDC hdcDest, RECT to, HDC hdcSrc, RECT from, DWORD rop) {
  Transfer t{FindDC(hdcDest), nullptr, to, from, Op::Copy};
  if (!t.dest || !OpOf(rop, t.op)) {
    if (t.dest) WINSIM_UNSUPPORTED("raster operation");
    return FALSE;
  }
  if (NeedsSource(t.op)) {
    t.source = FindDC(hdcSrc);
    if (!t.source) return FALSE;
    if (!t.source->surface) {
      WINSIM_UNSUPPORTED("reading pixels back from the display");
      return FALSE;
    }
  }
  if (!t.dest->surface) {
    WINSIM_UNSUPPORTED("drawing on the display or an information context");
    return FALSE;
  }
  if (to.right < to.left || to.bottom < to.top || from.right < from.left || from.bottom < from.top) {
    WINSIM_UNSUPPORTED("mirrored transfers");
    return FALSE;
  }
  if (to.right == to.left || to.bottom == to.top || (t.source && (from.right == from.left || from.bottom == from.top)))
    return TRUE;
  Run(t);
  return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  return TransferBits(hdc, {x, y, x + cx, y + cy}, hdcSrc, {x1, y1, x1 + cx, y1 + cy}, rop);
}

extern "C" BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                                  int ySrc, int wSrc, int hSrc, DWORD rop) {
  return TransferBits(hdcDest, {xDest, yDest, xDest + wDest, yDest + hDest}, hdcSrc,
                  {xSrc, ySrc, xSrc + wSrc, ySrc + hSrc}, rop);
}

// Layered windows: content given with per-pixel alpha (UpdateLayeredWindow)
// or the window's own drawing seen through a colour key or a constant alpha
// (SetLayeredWindowAttributes). The compositor shows what these leave.
#include <algorithm>

#include "gdi/GdiObjects.h"
#include "win32/WinBase.h"
#include "win32/Unsupported.h"
#include "win32/Window.h"

using namespace winsim;
using namespace winsim::gdi;

namespace {

Argb Scaled(Argb p, unsigned factor) {
  Argb out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= ((((p >> shift) & 0xFF) * factor + 127) / 255) << shift;
  return out;
}

// The pixel as the layered window shows it, premultiplied.
Argb LayeredPixel(Argb source, COLORREF key, const BLENDFUNCTION& blend, DWORD flags) {
  if ((flags & ULW_COLORKEY) && RgbOf(source) == ArgbFromColorRef(key)) return 0;
  if (flags & ULW_OPAQUE) return 0xFF000000u | source;
  if (blend.AlphaFormat != AC_SRC_ALPHA) source = 0xFF000000u | source;
  return blend.SourceConstantAlpha == 255 ? source : Scaled(source, blend.SourceConstantAlpha);
}

// The content, written into the window's previous content when that has the
// size.
std::shared_ptr<Surface> Capture(std::shared_ptr<Surface> out, const DeviceContext& src, POINT from, SIZE size,
                                 COLORREF key, const BLENDFUNCTION& blend, DWORD flags) {
  const Surface& s = *src.surface;
  const int left = from.x + src.origin.x, top = from.y + src.origin.y;
  const bool covered = left >= 0 && top >= 0 && left + size.cx <= s.width && top + size.cy <= s.height;
  if (!out || out->width != size.cx || out->height != size.cy) out = Surface::Create(size.cx, size.cy, 32);
  else if (!covered) std::fill_n(out->storage.get(), static_cast<size_t>(out->stride / 4) * static_cast<size_t>(size.cy), 0u);
  // Premultiplied pixels at full opacity are taken as they are.
  const bool asTheyAre = flags == ULW_ALPHA && blend.AlphaFormat == AC_SRC_ALPHA && blend.SourceConstantAlpha == 255;
  const int first = std::max(0, -left), last = std::min<int>(size.cx, s.width - left);
  for (int y = 0; y < size.cy && first < last; ++y) {
    const int sy = top + y;
    if (sy < 0 || sy >= s.height) continue;
    uint32_t* row = out->Row32(y);
    const uint32_t* source = s.Row32(sy) + left;
    if (asTheyAre) std::copy(source + first, source + last, row + first);
    else
      for (int x = first; x < last; ++x) row[x] = LayeredPixel(source[x], key, blend, flags);
  }
  return out;
}

void Place(HWND hwnd, const POINT* position, const SIZE* size) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!position) flags |= SWP_NOMOVE;
  if (!size) flags |= SWP_NOSIZE;
  if (position || size)
    SetWindowPos(hwnd, nullptr, position ? position->x : 0, position ? position->y : 0, size ? size->cx : 0,
                 size ? size->cy : 0, flags);
}

}  // namespace

extern "C" BOOL WINAPI UpdateLayeredWindow(HWND hWnd, HDC, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                                           COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags) {
  Window* w = FindWindowObject(hWnd);
  // A window whose layering was set up with attributes takes no content
  // until its layered style is cleared and set again.
  if (!w || !(w->exStyle & WS_EX_LAYERED) || w->layeredAttributes || (dwFlags & ULW_ALPHA && !pblend)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!hdcSrc) {
    Place(hWnd, pptDst, psize);
    return TRUE;
  }
  DeviceContext* src = FindDC(hdcSrc);
  if (!src || !src->surface || src->surface->bitsPerPixel != 32) {
    if (src && src->surface) WINSIM_UNSUPPORTED("layered content that is not 32 bits per pixel");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SIZE size = psize ? *psize : SIZE{w->width(), w->height()};
  const BLENDFUNCTION blend = pblend ? *pblend : BLENDFUNCTION{AC_SRC_OVER, 0, 255, 0};
  auto content = Capture(std::move(w->layeredSurface), *src, pptSrc ? *pptSrc : POINT{0, 0}, size, crKey, blend, dwFlags);
  Place(hWnd, pptDst, psize);
  if (!(w = FindWindowObject(hWnd))) return FALSE;
  w->layeredSurface = std::move(content);
  w->layeredUpdated = true;
  w->layeredFlags = dwFlags;
  return TRUE;
}

extern "C" BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
  Window* w = FindWindowObject(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  w->layeredAttributes = true;
  w->layeredUpdated = false;
  w->layeredSurface.reset();
  w->layeredKey = crKey & 0x00FFFFFF;
  w->layeredAlpha = bAlpha;
  w->layeredFlags = dwFlags & (LWA_COLORKEY | LWA_ALPHA);
  return TRUE;
}

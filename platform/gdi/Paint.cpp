#include "gdi/Paint.h"

#include <algorithm>

namespace winsim::gdi {

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT DeviceRect(const DeviceContext& dc, const RECT& logical) {
  RECT r{logical.left + dc.origin.x, logical.top + dc.origin.y, logical.right + dc.origin.x,
         logical.bottom + dc.origin.y};
  r.left = std::max(r.left, dc.clip.left);
  r.top = std::max(r.top, dc.clip.top);
  r.right = std::min(r.right, dc.clip.right);
  r.bottom = std::min(r.bottom, dc.clip.bottom);
  if (dc.surface) {
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min(r.right, static_cast<LONG>(dc.surface->width));
    r.bottom = std::min(r.bottom, static_cast<LONG>(dc.surface->height));
  }
  return r;
}

void FillSolid(DeviceContext& dc, const RECT& logical, Argb colour) {
  if (!dc.surface) return;
  const RECT r = DeviceRect(dc, logical);
  // Clipping can leave nothing, with left past right.
  if (r.left >= r.right) return;
  Surface& s = *dc.surface;
  for (int y = r.top; y < r.bottom; ++y) {
    if (s.bitsPerPixel == 32) {
      std::fill(s.Row32(y) + r.left, s.Row32(y) + r.right, RgbOf(colour));
    } else {
      for (int x = r.left; x < r.right; ++x) s.SetColour(x, y, colour);
    }
  }
}

void BlendPixel(Surface& s, int x, int y, Argb colour, unsigned coverage) {
  if (coverage == 0 || !s.Contains(x, y)) return;
  const Argb under = s.Colour(x, y);
  Argb out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned a = (colour >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    out |= ((a * coverage + b * (255 - coverage) + 127) / 255) << shift;
  }
  s.SetColour(x, y, out);
}

}  // namespace winsim::gdi

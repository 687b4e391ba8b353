// Plain colour fills for the stand-in's own windows (menus, the browser),
// which paint in flat colours without making a brush for each.
#pragma once

#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "gdi/Surface.h"

namespace winsim::gdi {

inline void FillSolidRect(HDC hdc, const RECT& r, COLORREF colour) {
  if (DeviceContext* dc = FindDC(hdc)) FillSolid(*dc, r, ArgbFromColorRef(colour));
}

// A frame `thickness` pixels wide just inside `r`.
inline void FrameSolidRect(HDC hdc, const RECT& r, int thickness, COLORREF colour) {
  FillSolidRect(hdc, {r.left, r.top, r.right, r.top + thickness}, colour);
  FillSolidRect(hdc, {r.left, r.bottom - thickness, r.right, r.bottom}, colour);
  FillSolidRect(hdc, {r.left, r.top, r.left + thickness, r.bottom}, colour);
  FillSolidRect(hdc, {r.right - thickness, r.top, r.right, r.bottom}, colour);
}

}  // namespace winsim::gdi

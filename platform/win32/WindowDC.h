// Device contexts on windows, made by GDI for the window manager's
// BeginPaint, GetDC and GetWindowDC.
#pragma once

#include "WinDef.h"

namespace winsim::gdi {

// A DC that draws into the window's pixels: its client area, or the whole
// window (non-client included) when `wholeWindow` is set.
HDC AcquireWindowDC(HWND hwnd, bool wholeWindow);
void ReleaseWindowDC(HDC hdc);

}  // namespace winsim::gdi

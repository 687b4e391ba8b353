// Device contexts on windows, made by GDI for the window manager's
// BeginPaint, GetDC and GetWindowDC.
#pragma once

#include <memory>

#include "WinDef.h"

namespace winsim {
struct Surface;
struct Window;
}  // namespace winsim

namespace winsim::gdi {

// A DC that draws into the window's pixels: its client area, or the whole
// window (non-client included) when `wholeWindow` is set. The desktop
// window (or none) gives a DC of the display.
HDC AcquireWindowDC(HWND hwnd, bool wholeWindow);
void ReleaseWindowDC(HDC hdc);

// The pixels of a top-level window, sized to the window now.
std::shared_ptr<Surface> WindowSurface(Window* root);

}  // namespace winsim::gdi

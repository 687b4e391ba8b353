// Positions, show state, z-order, activation and focus.
#pragma once

#include "Window.h"

namespace winsim {

// Undocumented companions of the SWP_ flags: set in WM_WINDOWPOSCHANGED when
// the client area kept its size or place, so that DefWindowProc sends
// WM_SIZE / WM_MOVE only for real changes.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

MINMAXINFO DefaultMinMaxInfo(const Window* w);
// A client rectangle as WM_NCCALCSIZE answered it, made empty where a frame
// that does not fit would make it negative.
RECT ClampedClient(RECT client);
// GWL_STYLE / GWL_EXSTYLE writes, with WM_STYLECHANGING / WM_STYLECHANGED.
void ChangeStyle(Window* w, int index, DWORD value);
// Activation moves to the owner or the next visible top-level window.
void ActivateNextWindow(HWND leaving);
void ActivateWindow(HWND hwnd, WORD how);
// Frame drawing is GDI's; the window manager only asks for it.
void InvalidateNonClient(Window* w);

}  // namespace winsim

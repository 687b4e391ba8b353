// CSkinWin: the skin of the game window. It takes over the window's frame
// once attached; here it loads, attaches and zooms the window over the work
// area.
#pragma once

#include "framework.h"

class CSkinWin {
 public:
  enum WinState { WinStateNormal = 0, WinStateZoomed = 1, WinStateMinimised = 2 };

  CSkinWin() = default;

  BOOL SetUpSkin();
  BOOL AttachToWindow(CWnd* pWnd);
  // Moves the window over the whole work area, remembering where it was.
  BOOL Zoom();
  BOOL IsAttached() const { return m_hWndHooked != nullptr; }

 private:
  HWND m_hWndHooked = nullptr;
  RECT m_rcRestore{};
  int m_winState = WinStateNormal;
  BOOL m_bLoaded = FALSE;
};

#include "skin/SkinWin.h"

BOOL CSkinWin::SetUpSkin() {
  m_bLoaded = TRUE;
  return TRUE;
}

BOOL CSkinWin::AttachToWindow(CWnd* pWnd) {
  if (!pWnd || !m_bLoaded) return FALSE;
  m_hWndHooked = pWnd->m_hWnd;
  return TRUE;
}

BOOL CSkinWin::Zoom() {
  RECT rcWork;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  GetWindowRect(m_hWndHooked, &m_rcRestore);
  m_winState = WinStateZoomed;
  MoveWindow(m_hWndHooked, rcWork.left, rcWork.top, rcWork.right - rcWork.left, rcWork.bottom - rcWork.top, TRUE);
  UpdateWindow(m_hWndHooked);
  return TRUE;
}

// The layered frame painter: a window whose whole appearance is an image
// with per-pixel alpha.
#include <cstring>

#include "launcher/LorvaneApp.h"

namespace {

typedef BOOL(WINAPI* PFN_UPDATE_LAYERED_WINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                DWORD);

BITMAPINFO FrameSectionInfo(int nWidth, int nHeight) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = nWidth;
  info.bmiHeader.biHeight = nHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(((nWidth * 32 + 31) & ~31) / 8 * nHeight);
  return info;
}

}  // namespace

void CLorvaneApp::PaintLayeredFrame(Gdiplus::Image* pImage, int nWidth, int nHeight, HWND hWnd) {
  DWORD dwExStyle = static_cast<DWORD>(GetWindowLongA(hWnd, GWL_EXSTYLE));
  if (!(dwExStyle & WS_EX_LAYERED)) SetWindowLongA(hWnd, GWL_EXSTYLE, dwExStyle | WS_EX_LAYERED);

  HDC hdcWindow = GetDC(hWnd);
  HDC hdcMemory = CreateCompatibleDC(hdcWindow);
  RECT rcWindow;
  GetWindowRect(hWnd, &rcWindow);

  BITMAPINFO info = FrameSectionInfo(nWidth, nHeight);
  void* pBits = nullptr;
  HBITMAP hSection = CreateDIBSection(hdcWindow, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hSection) {
    std::memset(pBits, 0, info.bmiHeader.biSizeImage);
    HGDIOBJ hOld = SelectObject(hdcMemory, hSection);
    Gdiplus::Graphics* pGraphics = new Gdiplus::Graphics(hdcMemory);
    pGraphics->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    pGraphics->DrawImage(pImage, 0, 0, m_nFrameWidth, m_nFrameHeight);

    HMODULE hUser32 = LoadLibraryA("User32.DLL");
    auto pfnUpdate = reinterpret_cast<PFN_UPDATE_LAYERED_WINDOW>(GetProcAddress(hUser32, "UpdateLayeredWindow"));
    POINT ptDest{rcWindow.left, rcWindow.top};
    SIZE size{nWidth, nHeight};
    POINT ptSource{0, 0};
    if (pfnUpdate) pfnUpdate(hWnd, hdcWindow, &ptDest, &size, hdcMemory, &ptSource, 0, &m_blend, ULW_ALPHA);

    SelectObject(hdcMemory, hOld);
    delete pGraphics;
  }
  DeleteObject(hSection);
  DeleteDC(hdcMemory);
  ReleaseDC(hWnd, hdcWindow);
}

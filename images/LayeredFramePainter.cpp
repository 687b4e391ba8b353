// CLorvaneApp::PaintLayeredFrame: the window's whole appearance becomes the
// image, with per-pixel alpha.
#include <cstring>

#include "launcher/LorvaneApp.h"

namespace {

typedef BOOL(WINAPI* UpdateLayeredWindowProc)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                              DWORD);

UpdateLayeredWindowProc FindUpdateLayeredWindow() {
  // Looked up by name at each call; the module stays loaded.
  HMODULE hUser32 = ::LoadLibraryA("User32.DLL");
  FARPROC pfn = hUser32 ? ::GetProcAddress(hUser32, "UpdateLayeredWindow") : nullptr;
  return reinterpret_cast<UpdateLayeredWindowProc>(reinterpret_cast<void (*)()>(pfn));
}

}  // namespace

void CLorvaneApp::PaintLayeredFrame(Gdiplus::Image* pImage, int nWidth, int nHeight, HWND hWnd) {
  const LONG_PTR dwExStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
  if (!(dwExStyle & WS_EX_LAYERED)) ::SetWindowLongA(hWnd, GWL_EXSTYLE, dwExStyle | WS_EX_LAYERED);

  HDC hdcWindow = ::GetDC(hWnd);
  HDC hdcMemory = ::CreateCompatibleDC(hdcWindow);
  RECT rcWindow{};
  ::GetWindowRect(hWnd, &rcWindow);

  BITMAPINFO bmi{};
  BITMAPINFOHEADER& header = bmi.bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = nWidth;
  header.biHeight = nHeight;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const int nStride = ((nWidth * 32 + 31) & ~31) / 8;
  header.biSizeImage = static_cast<DWORD>(nStride * nHeight);
  void* pBits = nullptr;
  HBITMAP hSection = ::CreateDIBSection(hdcWindow, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);

  if (hSection) {
    // Fully transparent black until the image is drawn.
    std::memset(pBits, 0, header.biSizeImage);
    HGDIOBJ hOld = ::SelectObject(hdcMemory, hSection);
    // GDI+ composes onto a 32-bit section premultiplied, which is the form
    // per-pixel-alpha layered updates take.
    Gdiplus::Graphics* pGraphics = new Gdiplus::Graphics(hdcMemory);
    pGraphics->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    pGraphics->DrawImage(pImage, 0, 0, m_nFrameWidth, m_nFrameHeight);

    if (UpdateLayeredWindowProc pfnUpdate = FindUpdateLayeredWindow()) {
      POINT ptDest{rcWindow.left, rcWindow.top};
      SIZE size{nWidth, nHeight};
      POINT ptSource{0, 0};
      pfnUpdate(hWnd, hdcWindow, &ptDest, &size, hdcMemory, &ptSource, 0, &m_blend, ULW_ALPHA);
    }
    ::SelectObject(hdcMemory, hOld);
    delete pGraphics;
  }
  ::DeleteObject(hSection);
  ::DeleteDC(hdcMemory);
  ::ReleaseDC(hWnd, hdcWindow);
}

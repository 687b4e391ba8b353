#include "AfxButton.h"

#include <cstring>
#include <string>

#include "afx/AfxState.h"
#include "gdiplus/GdiPlus.h"
#include "win32/CodePage.h"

IMPLEMENT_DYNCREATE(CMFCButton, CWnd)

namespace {

WNDPROC g_buttonProc = nullptr;

// An "MfcButton" window behaves as a push button; its object draws it.
LRESULT CALLBACK MfcButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_buttonProc, hWnd, message, wParam, lParam);
}

// A PNG resource decoded through a stream over a copy of its bytes.
Gdiplus::Image* LoadPng(HINSTANCE module, UINT id) {
  HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
  if (!res) return nullptr;
  DWORD size = ::SizeofResource(module, res);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  std::memcpy(::GlobalLock(block), ::LockResource(::LoadResource(module, res)), size);
  ::GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
    ::GlobalFree(block);
    return nullptr;
  }
  auto* image = new Gdiplus::Image(stream, FALSE);
  stream->Release();
  if (image->GetLastStatus() != Gdiplus::Ok) {
    delete image;
    return nullptr;
  }
  return image;
}

Gdiplus::Image* LoadButtonImage(UINT id) {
  if (id == 0) return nullptr;
  HINSTANCE module = AfxGetResourceHandle();
  if (Gdiplus::Image* png = LoadPng(module, id)) return png;
  HBITMAP bitmap = ::LoadBitmapA(module, MAKEINTRESOURCEA(id));
  if (!bitmap) return nullptr;
  auto* image = new Gdiplus::Bitmap(bitmap, nullptr);
  ::DeleteObject(bitmap);
  return image;
}

// The value of <tag>value</tag> in a control's settings text.
std::string Setting(const std::string& text, const std::string& tag) {
  std::string open = "<" + tag + ">";
  size_t start = text.find(open);
  if (start == std::string::npos) return {};
  start += open.size();
  size_t end = text.find("</" + tag + ">", start);
  return end == std::string::npos ? std::string() : text.substr(start, end - start);
}

}  // namespace

CMFCButton::~CMFCButton() { ReleaseImages(); }

void CMFCButton::ReleaseImages() {
  for (Gdiplus::Image*& image : m_pImages) {
    delete image;
    image = nullptr;
  }
}

void CMFCButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID) {
  ReleaseImages();
  m_pImages[0] = LoadButtonImage(uiBmpResId);
  m_pImages[1] = LoadButtonImage(uiBmpHotResId);
  m_pImages[2] = LoadButtonImage(uiBmpDsblResID);
  if (m_hWnd) Invalidate();
}

void CMFCButton::ApplySettings(const WCHAR* text) {
  std::string settings = text ? winsim::Utf16ToAnsi(text) : std::string();
  if (Setting(settings, "MFCButton_EnabledTooltip") == "TRUE") {
    m_strToolTip = Setting(settings, "MFCButton_TooltipText").c_str();
  }
  m_bFullTextTooltip = Setting(settings, "MFCButton_FullTextTooltip") == "TRUE";
}

void CMFCButton::TrackHover(bool inside) {
  if (static_cast<bool>(m_bHighlighted) == inside) return;
  m_bHighlighted = inside;
  if (inside) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
  }
  Invalidate();
}

void CMFCButton::Paint() {
  PAINTSTRUCT ps;
  HDC hdc = ::BeginPaint(m_hWnd, &ps);
  CRect client;
  GetClientRect(&client);
  // A transparent button shows its parent's background behind the image.
  HWND parent = ::GetParent(m_hWnd);
  HBRUSH background = m_bTransparent && parent
                          ? reinterpret_cast<HBRUSH>(::SendMessageA(parent, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc),
                                                                    reinterpret_cast<LPARAM>(parent)))
                          : ::GetSysColorBrush(COLOR_BTNFACE);
  if (background) ::FillRect(hdc, &client, background);
  int state = !IsWindowEnabled() ? 2 : m_bHighlighted ? 1 : 0;
  Gdiplus::Image* image = m_pImages[state] ? m_pImages[state] : m_pImages[0];
  if (image) {
    Gdiplus::Graphics graphics(hdc);
    graphics.DrawImage(image, 0, 0, static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()));
  }
  ::EndPaint(m_hWnd, &ps);
}

LRESULT CMFCButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MFC_INITCTRL: ApplySettings(reinterpret_cast<const WCHAR*>(lParam)); return 0;
    case WM_MOUSELEAVE: TrackHover(false); return 0;
    case WM_MOUSEMOVE: {
      CRect client;
      GetClientRect(&client);
      bool inside = client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) != FALSE;
      TrackHover(inside);
      break;
    }
    case WM_LBUTTONUP: {
      LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      if (m_hWnd) {
        m_bHighlighted = FALSE;
        Invalidate();
      }
      return result;
    }
    default: break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void AfxRegisterMFCCtrlClasses() {
  WNDCLASSA existing;
  if (::GetClassInfoA(nullptr, "MfcButton", &existing)) return;
  WNDCLASSA button;
  if (!::GetClassInfoA(nullptr, "Button", &button)) return;
  g_buttonProc = button.lpfnWndProc;
  WNDCLASSA cls = button;
  cls.lpfnWndProc = MfcButtonProc;
  cls.lpszClassName = "MfcButton";
  ::RegisterClassA(&cls);
}

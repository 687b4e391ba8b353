// The platform's default handling of window messages.
#include <algorithm>
#include <cstring>

#include "Menus.h"
#include "Messages.h"
#include "NonClientPaint.h"
#include "SizeMoveLoop.h"
#include "WindowPos.h"
#include "WinBase.h"
#include "desktop/Desktop.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

constexpr int kMaxSysColorBrush = 31;

LRESULT GetText(Window* w, WPARAM size, LPARAM buffer) {
  if (size == 0 || !buffer) return 0;
  size_t n = std::min<size_t>(w->text.size(), size - 1);
  char* out = reinterpret_cast<char*>(buffer);
  std::memcpy(out, w->text.data(), n);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT SetText(Window* w, LPARAM text) {
  w->text = text ? reinterpret_cast<const char*>(text) : "";
  InvalidateNonClient(w);
  if (!w->isChild()) InvalidateRect(w->handle, nullptr, TRUE);
  return TRUE;
}

void CalcClient(Window* w, RECT& rect) {
  if (w->minimized()) {
    rect.right = rect.left;
    rect.bottom = rect.top;
    return;
  }
  RECT insets = NonClientInsets(w->style, w->exStyle);
  rect.left += insets.left;
  rect.top += insets.top;
  rect.right = std::max(rect.left, rect.right - insets.right);
  rect.bottom = std::max(rect.top, rect.bottom - insets.bottom);
}

LRESULT NcCalcSize(Window* w, WPARAM calcValid, LPARAM lParam) {
  if (calcValid) {
    CalcClient(w, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
  } else {
    CalcClient(w, *reinterpret_cast<RECT*>(lParam));
  }
  return 0;
}

int SizingEdge(const RECT& r, POINT p, int b) {
  bool left = p.x < r.left + b, right = p.x >= r.right - b;
  bool top = p.y < r.top + b, bottom = p.y >= r.bottom - b;
  if (top && left) return HTTOPLEFT;
  if (top && right) return HTTOPRIGHT;
  if (bottom && left) return HTBOTTOMLEFT;
  if (bottom && right) return HTBOTTOMRIGHT;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  if (top) return HTTOP;
  if (bottom) return HTBOTTOM;
  return HTNOWHERE;
}

int CaptionHit(const Window* w, POINT p, int border) {
  const RECT& r = w->window;
  int size = GetSystemMetrics(SM_CYCAPTION);
  if (w->style & WS_SYSMENU) {
    if (p.x < r.left + border + size) return HTSYSMENU;
    int right = r.right - border;
    if (p.x >= right - size) return HTCLOSE;
    right -= size;
    if (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
      if (p.x >= right - size) return HTMAXBUTTON;
      right -= size;
      if (p.x >= right - size) return HTMINBUTTON;
    }
  }
  return HTCAPTION;
}

LRESULT NcHitTest(Window* w, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (!PtInRect(&w->window, p)) return HTNOWHERE;
  if (w->minimized()) return HTCAPTION;
  if (PtInRect(&w->client, p)) return HTCLIENT;
  RECT insets = NonClientInsets(w->style, w->exStyle);
  int border = insets.left;
  if (border > 0) {
    int edge = SizingEdge(w->window, p, border);
    if (edge != HTNOWHERE) return (w->style & WS_THICKFRAME) ? edge : HTBORDER;
  }
  if (p.y < w->window.top + insets.top) return CaptionHit(w, p, border);
  return HTNOWHERE;
}

LRESULT SysCommand(Window* w, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = w->handle;
  switch (wParam & 0xFFF0) {
    case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_MOVE: RunMoveLoop(hwnd); break;
    case SC_SIZE: RunSizeLoop(hwnd, static_cast<int>(wParam & 0x0F)); break;
    default: break;  // keyboard menus and the rest have no effect here
  }
  (void)lParam;
  return 0;
}

LRESULT NcLeftButtonDown(Window* w, WPARAM hit, LPARAM lParam) {
  HWND hwnd = w->handle;
  switch (hit) {
    case HTCAPTION: SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam); break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + 1), lParam); break;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
      if (TrackCaptionButton(hwnd, static_cast<int>(hit))) {
        WPARAM command = hit == HTCLOSE ? SC_CLOSE
                         : hit == HTMINBUTTON ? SC_MINIMIZE
                         : IsZoomed(hwnd)     ? SC_RESTORE
                                              : SC_MAXIMIZE;
        SendMessageA(hwnd, WM_SYSCOMMAND, command, lParam);
      }
      break;
    default: break;
  }
  return 0;
}

LRESULT ShowWindowDefault(Window* w, WPARAM show, LPARAM reason) {
  // A popup follows its owner: hidden while the owner is minimised.
  if (w->isChild()) return 0;
  if (!show && reason == SW_PARENTCLOSING && w->visible()) {
    w->hiddenByOwner = true;
    SetWindowPos(w->handle, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Window* again = FindWindowObject(w->handle)) again->hiddenByOwner = true;
  } else if (show && reason == SW_PARENTOPENING && w->hiddenByOwner) {
    SetWindowPos(w->handle, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 0;
}

bool ObeysTrackSize(const Window* w) { return (w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD)); }

LRESULT WindowPosChanging(Window* w, LPARAM lParam) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!ObeysTrackSize(w) || w->minimized() || (wp->flags & SWP_NOSIZE)) return 0;
  MINMAXINFO info = DefaultMinMaxInfo(w);
  SendMessageA(w->handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  wp->cx = std::clamp<int>(wp->cx, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
  wp->cy = std::clamp<int>(wp->cy, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
  return 0;
}

LRESULT WindowPosChanged(Window* w, LPARAM lParam) {
  HWND hwnd = w->handle;
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (!(wp->flags & kSwpNoClientMove)) {
    POINT origin{w->client.left, w->client.top};
    if (w->isChild()) ScreenToClient(w->parent, &origin);
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  }
  if (!(wp->flags & kSwpNoClientSize) && (w = FindWindowObject(hwnd))) {
    WPARAM type = w->minimized() ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendMessageA(hwnd, WM_SIZE, type, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  }
  return 0;
}

HBRUSH ClassBrush(const Window* w) {
  auto value = reinterpret_cast<uintptr_t>(w->classBackground);
  // Class brushes may be given as a system colour index plus one.
  if (value > 0 && value <= kMaxSysColorBrush) return GetSysColorBrush(static_cast<int>(value - 1));
  return w->classBackground;
}

LRESULT EraseBackground(Window* w, WPARAM hdc) {
  HBRUSH brush = ClassBrush(w);
  if (!brush) return 0;
  RECT client;
  GetClientRect(w->handle, &client);
  FillRect(reinterpret_cast<HDC>(hdc), &client, brush);
  return 1;
}

LRESULT ControlColor(UINT msg, WPARAM hdc) {
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  int index = window ? COLOR_WINDOW : COLOR_3DFACE;
  SetTextColor(reinterpret_cast<HDC>(hdc), GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(reinterpret_cast<HDC>(hdc), GetSysColor(index));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(index));
}

LRESULT SetIcon(Window* w, WPARAM which, LPARAM icon) {
  HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
  HICON old = slot;
  slot = reinterpret_cast<HICON>(icon);
  InvalidateNonClient(w);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT MouseActivate(Window* w, WPARAM wParam, LPARAM lParam) {
  if (w->isChild()) {
    LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

}  // namespace

}  // namespace winsim

using namespace winsim;

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: return NcCalcSize(w, wParam, lParam);
    case WM_NCHITTEST: return NcHitTest(w, lParam);
    case WM_NCLBUTTONDOWN: return NcLeftButtonDown(w, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX)) {
        SendMessageA(hWnd, WM_SYSCOMMAND, IsZoomed(hWnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      return 0;
    case WM_SYSCOMMAND: return SysCommand(w, wParam, lParam);
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_GETTEXT: return GetText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETTEXT: return SetText(w, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !w->minimized()) SetFocus(hWnd);
      return 0;
    case WM_NCACTIVATE:
      // The caption shows the new state at once.
      if (IsReallyVisible(w) && !w->minimized()) PaintDefaultFrame(w);
      return TRUE;
    case WM_MOUSEACTIVATE: return MouseActivate(w, wParam, lParam);
    case WM_SETCURSOR:
      return w->isChild() ? SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam) : FALSE;
    case WM_ERASEBKGND: return EraseBackground(w, wParam);
    case WM_ICONERASEBKGND: return EraseBackground(w, wParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return ControlColor(Msg, wParam);
    case WM_PAINT: return Paint(hWnd);
    case WM_NCPAINT:
      if (!w->minimized()) PaintDefaultFrame(w);
      return 0;
    case WM_SETICON: return SetIcon(w, wParam, lParam);
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(w->classIcon);
    case WM_SHOWWINDOW: return ShowWindowDefault(w, wParam, lParam);
    case WM_WINDOWPOSCHANGING: return WindowPosChanging(w, lParam);
    case WM_WINDOWPOSCHANGED: return WindowPosChanged(w, lParam);
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hWnd, &p);
      SendMessageA(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(p.x, p.y));
      return 0;
    }
    case WM_CONTEXTMENU:
      if (w->isChild()) SendMessageA(w->parent, WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4) SendMessageA(RootOf(w)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case kPopupWindowMenu: TrackWindowMenu(hWnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_CANCELMODE:
      if (Desktop().capture == hWnd) ReleaseCapture();
      return 0;
    default: return 0;
  }
}

#include "WindowPos.h"

#include <algorithm>

#include "Messages.h"
#include "Unsupported.h"
#include "WinBase.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

constexpr int kCaptionHeight = 22;
constexpr int kToolCaptionHeight = 16;
constexpr int kSizingFrame = 4;
constexpr int kDialogFrame = 3;
constexpr POINT kMinimizedPos{-32000, -32000};
constexpr SIZE kMinimizedSize{160, 28};

POINT ParentOrigin(const Window* w) {
  if (!w->isChild()) return {0, 0};
  const Window* parent = FindWindowObject(w->parent);
  return parent ? POINT{parent->client.left, parent->client.top} : POINT{0, 0};
}

void OffsetDescendants(Window* w, int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (HWND child : w->children) {
    Window* c = FindWindowObject(child);
    if (!c) continue;
    OffsetRect(&c->window, dx, dy);
    OffsetRect(&c->client, dx, dy);
    OffsetDescendants(c, dx, dy);
  }
}

std::vector<HWND>& SiblingList(Window* w) {
  if (w->isChild()) return FindWindowObject(w->parent)->children;
  return TopLevelZOrder();
}

void CollectOwned(HWND owner, std::vector<HWND>& out) {
  for (HWND h : TopLevelZOrder()) {
    Window* o = FindWindowObject(h);
    if (o && o->owner == owner && std::find(out.begin(), out.end(), h) == out.end()) {
      out.push_back(h);
      CollectOwned(h, out);
    }
  }
}

// Owned windows always stay above their owner.
void RaiseOwnedAbove(Window* w) {
  std::vector<HWND> owned;
  CollectOwned(w->handle, owned);
  if (owned.empty()) return;
  auto& z = TopLevelZOrder();
  std::vector<HWND> ordered;
  for (HWND h : z) {
    if (std::find(owned.begin(), owned.end(), h) != owned.end()) ordered.push_back(h);
  }
  z.erase(std::remove_if(z.begin(), z.end(),
                         [&](HWND h) { return std::find(owned.begin(), owned.end(), h) != owned.end(); }),
          z.end());
  auto at = std::find(z.begin(), z.end(), w->handle);
  z.insert(at, ordered.begin(), ordered.end());
}

void Reorder(Window* w, HWND after, UINT flags) {
  auto& list = SiblingList(w);
  list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
  if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  if (after == HWND_BOTTOM) {
    list.push_back(w->handle);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    auto it = list.begin();
    if (!(w->exStyle & WS_EX_TOPMOST)) {
      while (it != list.end()) {
        Window* o = FindWindowObject(*it);
        if (!o || !(o->exStyle & WS_EX_TOPMOST)) break;
        ++it;
      }
    }
    list.insert(it, w->handle);
  } else {
    auto it = std::find(list.begin(), list.end(), after);
    list.insert(it == list.end() ? list.end() : it + 1, w->handle);
  }
  if (!w->isChild() && !(flags & SWP_NOOWNERZORDER)) RaiseOwnedAbove(w);
}

void MarkEverVisible(Window* w) {
  if (IsReallyVisible(w)) {
    w->everVisible = true;
    for (HWND child : w->children) {
      if (Window* c = FindWindowObject(child); c && c->visible()) MarkEverVisible(c);
    }
  }
}

void InvalidateAll(Window* w) {
  InvalidateNonClient(w);
  InvalidateRect(w->handle, nullptr, TRUE);
  for (HWND child : w->children) {
    if (Window* c = FindWindowObject(child)) InvalidateAll(c);
  }
}

void HideOwnedPopups(Window* w) {
  std::vector<HWND> owned;
  for (HWND h : TopLevelZOrder()) {
    Window* o = FindWindowObject(h);
    if (o && o->owner == w->handle && o->visible()) owned.push_back(h);
  }
  for (HWND h : owned) SendMessageA(h, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
}

void ShowOwnedPopups(Window* w) {
  std::vector<HWND> owned;
  for (HWND h : TopLevelZOrder()) {
    Window* o = FindWindowObject(h);
    if (o && o->owner == w->handle && o->hiddenByOwner) owned.push_back(h);
  }
  for (HWND h : owned) SendMessageA(h, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
}

RECT RelativeRect(const Window* w, const RECT& screen) {
  POINT o = ParentOrigin(w);
  return {screen.left - o.x, screen.top - o.y, screen.right - o.x, screen.bottom - o.y};
}

void PlaceRect(HWND hwnd, const RECT& r, UINT flags) {
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

void Minimize(Window* w, bool activate) {
  HWND hwnd = w->handle;
  if (!w->minimized()) {
    if (!(w->style & WS_MAXIMIZE)) w->normalRect = RelativeRect(w, w->window);
    if (!w->isChild()) HideOwnedPopups(w);
    w = FindWindowObject(hwnd);
    if (!w) return;
    w->style |= WS_MINIMIZE;
  }
  UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0 : (SWP_NOACTIVATE | SWP_NOZORDER));
  SetWindowPos(hwnd, HWND_TOP, kMinimizedPos.x, kMinimizedPos.y, kMinimizedSize.cx, kMinimizedSize.cy, flags);
  if (!activate && Desktop().active == hwnd) ActivateNextWindow(hwnd);
}

void Maximize(Window* w) {
  if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normalRect = RelativeRect(w, w->window);
  w->style &= ~static_cast<DWORD>(WS_MINIMIZE);
  w->style |= WS_MAXIMIZE;
  MINMAXINFO info = DefaultMinMaxInfo(w);
  SendMessageA(w->handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  SetWindowPos(w->handle, HWND_TOP, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

void Restore(Window* w, bool activate) {
  HWND hwnd = w->handle;
  bool wasMinimized = w->minimized();
  w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
  UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0 : (SWP_NOACTIVATE | SWP_NOZORDER));
  PlaceRect(hwnd, w->normalRect, flags);
  if (wasMinimized && FindWindowObject(hwnd) && !w->isChild()) ShowOwnedPopups(w);
}

void Show(Window* w, bool activate) {
  UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
  if (!activate || w->isChild()) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  SetWindowPos(w->handle, HWND_TOP, 0, 0, 0, 0, flags);
}

void Hide(Window* w) {
  HWND hwnd = w->handle;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DesktopState& d = Desktop();
  if (d.focus && (d.focus == hwnd || IsChild(hwnd, d.focus))) {
    if (w->isChild()) SetFocus(nullptr);
  }
  if (d.active == hwnd) ActivateNextWindow(hwnd);
}

}  // namespace

RECT NonClientInsets(DWORD style, DWORD exStyle) {
  int border = 0;
  if (style & WS_THICKFRAME) {
    border = kSizingFrame;
  } else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME)) {
    border = kDialogFrame;
  } else if (style & WS_BORDER) {
    border = 1;
  }
  if (exStyle & WS_EX_CLIENTEDGE) border += 2;
  if (exStyle & WS_EX_STATICEDGE) border += 1;
  int caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) caption = (exStyle & WS_EX_TOOLWINDOW) ? kToolCaptionHeight : kCaptionHeight;
  return {border, border + caption, border, border};
}

MINMAXINFO DefaultMinMaxInfo(const Window* w) {
  RECT insets = NonClientInsets(w->style, w->exStyle);
  const RECT& work = Desktop().workArea;
  MINMAXINFO info{};
  info.ptMaxSize = {work.right - work.left + insets.left + insets.right,
                    work.bottom - work.top + insets.left + insets.right};
  info.ptMaxPosition = {work.left - insets.left, work.top - insets.left};
  info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return info;
}

RECT ClampedClient(RECT client) {
  client.right = std::max(client.left, client.right);
  client.bottom = std::max(client.top, client.bottom);
  return client;
}

void ChangeStyle(Window* w, int index, DWORD value) {
  HWND hwnd = w->handle;
  DWORD& field = (index == GWL_STYLE) ? w->style : w->exStyle;
  STYLESTRUCT ss{field, value};
  SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  w = FindWindowObject(hwnd);
  if (!w) return;
  DWORD& target = (index == GWL_STYLE) ? w->style : w->exStyle;
  DWORD old = target;
  target = ss.styleNew;
  if (index == GWL_EXSTYLE && ((old ^ target) & WS_EX_LAYERED)) {
    // A window that becomes layered shows nothing until it is given its
    // layered content; one that stops being layered draws itself again.
    w->layeredUpdated = false;
    w->layeredAttributes = false;
    w->layeredSurface.reset();
    w->layeredFlags = 0;
    InvalidateAll(w);
  }
  if (index == GWL_STYLE && (target & WS_VISIBLE) && !(old & WS_VISIBLE)) MarkEverVisible(w);
  STYLESTRUCT changed{old, target};
  SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&changed));
}

void InvalidateNonClient(Window* w) { w->needsNcPaint = true; }

void ActivateWindow(HWND hwnd, WORD how) {
  DesktopState& d = Desktop();
  Window* w = FindWindowObject(hwnd);
  if (!w || w->isChild()) return;
  HWND old = d.active;
  if (old == hwnd) return;
  d.active = hwnd;
  if (Window* o = FindWindowObject(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, o->minimized() ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
  }
  if (d.active != hwnd || !FindWindowObject(hwnd)) return;
  Reorder(w, HWND_TOP, 0);
  if (d.focus && !(d.focus == hwnd || IsChild(hwnd, d.focus))) {
    HWND lost = d.focus;
    d.focus = nullptr;
    SendMessageA(lost, WM_KILLFOCUS, 0, 0);
  }
  SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, w->minimized() ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

void ActivateNextWindow(HWND leaving) {
  DesktopState& d = Desktop();
  Window* w = FindWindowObject(leaving);
  HWND next = nullptr;
  if (w && w->owner) {
    Window* owner = FindWindowObject(w->owner);
    if (owner && owner->visible() && !(owner->style & WS_DISABLED) && !owner->minimized()) next = w->owner;
  }
  if (!next) {
    for (HWND h : TopLevelZOrder()) {
      Window* o = FindWindowObject(h);
      if (h != leaving && o && o->visible() && !(o->style & WS_DISABLED) && !o->minimized() && !o->destroying) {
        next = h;
        break;
      }
    }
  }
  if (next) {
    ActivateWindow(next, WA_ACTIVE);
    return;
  }
  HWND old = d.active;
  d.active = nullptr;
  if (d.focus) {
    HWND lost = d.focus;
    d.focus = nullptr;
    SendMessageA(lost, WM_KILLFOCUS, 0, 0);
  }
  if (FindWindowObject(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), 0);
  }
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  POINT origin = ParentOrigin(w);
  WINDOWPOS wp{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
  if (uFlags & SWP_NOMOVE) {
    wp.x = w->window.left - origin.x;
    wp.y = w->window.top - origin.y;
  }
  if (uFlags & SWP_NOSIZE) {
    wp.cx = w->width();
    wp.cy = w->height();
  }
  if (!(uFlags & SWP_NOSENDCHANGING)) {
    SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    w = FindWindowObject(hWnd);
    if (!w) return FALSE;
    origin = ParentOrigin(w);
  }
  RECT oldWindow = w->window;
  RECT oldClient = w->client;
  RECT newWindow{origin.x + wp.x, origin.y + wp.y, origin.x + wp.x + std::max(wp.cx, 0),
                 origin.y + wp.y + std::max(wp.cy, 0)};
  bool resized = (newWindow.right - newWindow.left) != (oldWindow.right - oldWindow.left) ||
                 (newWindow.bottom - newWindow.top) != (oldWindow.bottom - oldWindow.top);
  RECT newClient;
  if (resized || (wp.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{{newWindow, oldWindow, oldClient}, &wp};
    SendMessageA(hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    w = FindWindowObject(hWnd);
    if (!w) return FALSE;
    newClient = ClampedClient(params.rgrc[0]);
  } else {
    newClient = oldClient;
    OffsetRect(&newClient, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
  }
  w->window = newWindow;
  w->client = newClient;
  OffsetDescendants(w, newClient.left - oldClient.left, newClient.top - oldClient.top);
  if (!(wp.flags & SWP_NOZORDER)) Reorder(w, wp.hwndInsertAfter, wp.flags);
  bool shown = false;
  if ((wp.flags & SWP_SHOWWINDOW) && !w->visible()) {
    w->style |= WS_VISIBLE;
    w->hiddenByOwner = false;
    MarkEverVisible(w);
    shown = true;
  }
  if ((wp.flags & SWP_HIDEWINDOW) && w->visible()) w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  bool clientResized = (newClient.right - newClient.left) != (oldClient.right - oldClient.left) ||
                       (newClient.bottom - newClient.top) != (oldClient.bottom - oldClient.top);
  bool clientMoved = newClient.left != oldClient.left || newClient.top != oldClient.top;
  const bool redraw = !(wp.flags & SWP_NOREDRAW);
  if (redraw && (shown || resized || (wp.flags & SWP_FRAMECHANGED))) InvalidateAll(w);
  // A visible window whose size or frame changed repaints its frame and
  // erases its background before the call returns; WM_PAINT comes later.
  if (redraw && (resized || (wp.flags & SWP_FRAMECHANGED)) && IsReallyVisible(w)) {
    PaintNonClientNow(hWnd);
    EraseBackgroundNow(hWnd);
    w = FindWindowObject(hWnd);
    if (!w) return TRUE;
  }
  WINDOWPOS changed = wp;
  if (!clientResized) changed.flags |= kSwpNoClientSize;
  if (!clientMoved) changed.flags |= kSwpNoClientMove;
  SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
  w = FindWindowObject(hWnd);
  if (w && !w->isChild() && w->visible() && !(wp.flags & SWP_NOACTIVATE) && !(w->style & WS_DISABLED)) {
    ActivateWindow(hWnd, WA_ACTIVE);
  }
  return TRUE;
}

extern "C" BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                      SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* w = FindWindowObject(hWnd);
  if (!w || !lpRect) return FALSE;
  *lpRect = w->window;
  return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* w = FindWindowObject(hWnd);
  if (!w || !lpRect) return FALSE;
  *lpRect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

extern "C" BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* w = FindWindowObject(hWnd);
  if (!w || !lpPoint) return FALSE;
  lpPoint->x += w->client.left;
  lpPoint->y += w->client.top;
  return TRUE;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* w = FindWindowObject(hWnd);
  if (!w || !lpPoint) return FALSE;
  lpPoint->x -= w->client.left;
  lpPoint->y -= w->client.top;
  return TRUE;
}

extern "C" int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from{0, 0};
  POINT to{0, 0};
  if (hWndFrom && hWndFrom != GetDesktopWindow()) ClientToScreen(hWndFrom, &from);
  if (hWndTo && hWndTo != GetDesktopWindow()) ClientToScreen(hWndTo, &to);
  int dx = from.x - to.x;
  int dy = from.y - to.y;
  for (UINT i = 0; i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  return MAKELONG(dx, dy);
}

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->visible() ? TRUE : FALSE;
  switch (nCmdShow) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
      if ((w = FindWindowObject(hWnd))) Hide(w);
      return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      if (!wasVisible) SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if ((w = FindWindowObject(hWnd))) Minimize(w, nCmdShow == SW_SHOWMINIMIZED);
      return wasVisible;
    case SW_SHOWMAXIMIZED:
      if (!wasVisible) SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if ((w = FindWindowObject(hWnd))) Maximize(w);
      return wasVisible;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
      bool activate = nCmdShow != SW_SHOWNOACTIVATE;
      // The platform does not send WM_SHOWWINDOW for SW_SHOWNORMAL.
      if (!wasVisible && nCmdShow != SW_SHOWNORMAL) SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if (!(w = FindWindowObject(hWnd))) return wasVisible;
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        Restore(w, activate);
      } else {
        Show(w, activate);
      }
      return wasVisible;
    }
    case SW_SHOW:
    case SW_SHOWNA:
      if (!wasVisible) SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if ((w = FindWindowObject(hWnd))) Show(w, nCmdShow == SW_SHOW);
      return wasVisible;
    default:
      WINSIM_UNSUPPORTED("ShowWindow command");
      return wasVisible;
  }
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  return (w && IsReallyVisible(w)) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsIconic(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  return (w && w->minimized()) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsZoomed(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  return (w && (w->style & WS_MAXIMIZE)) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI BringWindowToTop(HWND hWnd) {
  return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

extern "C" BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (!lpRect) return FALSE;
  if (bMenu) WINSIM_UNSUPPORTED("menu bars");
  RECT insets = NonClientInsets(dwStyle, dwExStyle);
  lpRect->left -= insets.left;
  lpRect->top -= insets.top;
  lpRect->right += insets.right;
  lpRect->bottom += insets.bottom;
  return TRUE;
}

extern "C" BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
  return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

extern "C" BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
  if (uiAction != SPI_GETWORKAREA || !pvParam) {
    WINSIM_UNSUPPORTED("SystemParametersInfo action");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *static_cast<RECT*>(pvParam) = Desktop().workArea;
  return TRUE;
}

extern "C" int WINAPI GetSystemMetrics(int nIndex) {
  const DesktopState& d = Desktop();
  switch (nIndex) {
    case SM_CXSCREEN: return d.screenWidth;
    case SM_CYSCREEN: return d.screenHeight;
    case SM_CYCAPTION: return kCaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return kSizingFrame;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXMINTRACK: return 136;
    case SM_CYMINTRACK: return 39;
    case SM_CXMAXTRACK: return d.screenWidth + 2 * kSizingFrame + 4;
    case SM_CYMAXTRACK: return d.screenHeight + 2 * kSizingFrame + 4;
    case SM_CXMAXIMIZED: return d.workArea.right - d.workArea.left + 2 * kSizingFrame;
    case SM_CYMAXIMIZED: return d.workArea.bottom - d.workArea.top + 2 * kSizingFrame;
    default: WINSIM_UNSUPPORTED("system metric"); return 0;
  }
}

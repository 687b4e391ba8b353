// Turns user actions into input messages, routed as the platform routes them.
#include <algorithm>

#include "Desktop.h"
#include "InputActions.h"
#include "win32/Messages.h"
#include "win32/Unsupported.h"
#include "win32/Window.h"
#include "win32/WindowPos.h"

namespace winsim {

namespace {

bool ContainsPoint(const Window* w, POINT p) { return PtInRect(&w->window, p) != FALSE; }

// The deepest visible, enabled child under the point; the window itself when none.
Window* DeepestChild(Window* w, POINT p) {
  for (HWND h : w->children) {
    Window* c = FindWindowObject(h);
    if (!c || !c->visible() || (c->style & WS_DISABLED) || !ContainsPoint(c, p)) continue;
    if (!PtInRect(&w->client, p)) break;
    LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    if (hit == HTTRANSPARENT) continue;
    return DeepestChild(c, p);
  }
  return w;
}

bool PassesThrough(const Window* w, POINT p) {
  if (!(w->exStyle & WS_EX_LAYERED)) return false;
  if (w->exStyle & WS_EX_TRANSPARENT) return true;
  return !LayeredWindowHitsPoint(w->handle, p);
}

LPARAM ScreenLParam(POINT p) { return MAKELPARAM(p.x, p.y); }

LPARAM ClientLParam(HWND hwnd, POINT p) {
  ScreenToClient(hwnd, &p);
  return MAKELPARAM(p.x, p.y);
}

WPARAM MouseKeys() {
  const DesktopState& d = Desktop();
  return (d.leftDown ? MK_LBUTTON : 0) | (d.rightDown ? MK_RBUTTON : 0);
}

// The client message and its non-client twin for each mouse event.
struct MouseEvent {
  UINT client;
  UINT nonClient;
};

constexpr MouseEvent kMove{WM_MOUSEMOVE, WM_NCMOUSEMOVE};
constexpr MouseEvent kLeftDown{WM_LBUTTONDOWN, WM_NCLBUTTONDOWN};
constexpr MouseEvent kLeftUp{WM_LBUTTONUP, WM_NCLBUTTONUP};
constexpr MouseEvent kLeftDouble{WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK};
constexpr MouseEvent kRightDown{WM_RBUTTONDOWN, WM_NCRBUTTONDOWN};
constexpr MouseEvent kRightUp{WM_RBUTTONUP, WM_NCRBUTTONUP};

// Clicking an inactive window activates it unless it asks otherwise.
bool ActivateOnPress(Window* target, LRESULT hit, UINT message) {
  Window* root = RootOf(target);
  if (!root || Desktop().active == root->handle) return true;
  LRESULT answer = SendMessageA(target->handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root->handle),
                                MAKELPARAM(hit, message));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
    if (FindWindowObject(root->handle)) ActivateWindow(root->handle, WA_CLICKACTIVE);
  }
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

// A window that asked to be told gets WM_MOUSELEAVE when the mouse goes
// elsewhere; the request then ends.
void NoteMouseOver(HWND hwnd) {
  DesktopState& d = Desktop();
  if (!d.leaveWatch || d.leaveWatch == hwnd) return;
  HWND left = d.leaveWatch;
  d.leaveWatch = nullptr;
  PostInputMessage(left, WM_MOUSELEAVE, 0, 0);
}

void PostMouse(const MouseEvent& event, POINT p, bool press) {
  DesktopState& d = Desktop();
  d.cursor = p;
  if (d.capture && FindWindowObject(d.capture)) {
    PostInputMessage(d.capture, event.client, MouseKeys(), ClientLParam(d.capture, p));
    return;
  }
  LRESULT hit = HTNOWHERE;
  HWND hwnd = WindowFromScreenPoint(p, &hit);
  NoteMouseOver(hwnd);
  Window* target = FindWindowObject(hwnd);
  if (!target) return;
  // A window disabled by a modal dialog takes no mouse input.
  if (RootOf(target)->style & WS_DISABLED) return;
  if (press && !ActivateOnPress(target, hit, event.client)) return;
  if (!FindWindowObject(hwnd)) return;
  bool doubleClick = event.client == WM_LBUTTONDBLCLK;
  UINT client = (doubleClick && !(target->classStyle & CS_DBLCLKS)) ? WM_LBUTTONDOWN : event.client;
  if (hit == HTCLIENT) {
    PostInputMessage(hwnd, client, MouseKeys(), ClientLParam(hwnd, p));
  } else {
    PostInputMessage(hwnd, event.nonClient, static_cast<WPARAM>(hit), ScreenLParam(p));
  }
}

}  // namespace

HWND WindowFromScreenPoint(POINT p, LRESULT* hitOut) {
  for (HWND h : TopLevelZOrder()) {
    Window* w = FindWindowObject(h);
    if (!w || !w->visible() || !ContainsPoint(w, p) || PassesThrough(w, p)) continue;
    Window* target = DeepestChild(w, p);
    LRESULT hit = SendMessageA(target->handle, WM_NCHITTEST, 0, ScreenLParam(p));
    if (hit == HTTRANSPARENT && target == w) continue;
    if (hitOut) *hitOut = hit;
    return target->handle;
  }
  if (hitOut) *hitOut = HTNOWHERE;
  return nullptr;
}

void MouseMove(POINT p) { PostMouse(kMove, p, false); }

void LeftDown(POINT p) {
  MouseMove(p);
  Desktop().leftDown = true;
  PostMouse(kLeftDown, p, true);
}

void LeftUp(POINT p) {
  MouseMove(p);
  Desktop().leftDown = false;
  PostMouse(kLeftUp, p, false);
}

void LeftDoubleClick(POINT p) {
  LeftDown(p);
  LeftUp(p);
  Desktop().leftDown = true;
  PostMouse(kLeftDouble, p, true);
  LeftUp(p);
}

void RightClick(POINT p) {
  MouseMove(p);
  Desktop().rightDown = true;
  PostMouse(kRightDown, p, true);
  Desktop().rightDown = false;
  PostMouse(kRightUp, p, false);
}

void PressKey(UINT vk, std::function<bool(UINT)>& interceptor) {
  if (interceptor && interceptor(vk)) return;
  DesktopState& d = Desktop();
  HWND target = d.focus ? d.focus : d.active;
  if (!target || !FindWindowObject(target)) return;
  LPARAM down = 1;
  LPARAM up = static_cast<LPARAM>(1u | 0xC0000000u);
  PostInputMessage(target, WM_KEYDOWN, vk, down);
  PostInputMessage(target, WM_KEYUP, vk, up);
}

}  // namespace winsim

extern "C" BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
  using namespace winsim;
  if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
  if (lpEventTrack->dwFlags & TME_HOVER) WINSIM_UNSUPPORTED("hover tracking");
  DesktopState& d = Desktop();
  if (lpEventTrack->dwFlags & TME_CANCEL) {
    if (d.leaveWatch == lpEventTrack->hwndTrack) d.leaveWatch = nullptr;
    return TRUE;
  }
  if (!(lpEventTrack->dwFlags & TME_LEAVE) || !FindWindowObject(lpEventTrack->hwndTrack)) return FALSE;
  d.leaveWatch = lpEventTrack->hwndTrack;
  return TRUE;
}

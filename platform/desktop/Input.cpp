// Routes raw input to windows, as the platform routes it when a thread takes
// input from its queue: the pointer's window and hit code, capture,
// activation on press, double-clicks, mouse-leave tracking; the keyboard's
// focus, modifier keys and hot keys.
#include <algorithm>
#include <cstdlib>

#include "Desktop.h"
#include "InputQueue.h"
#include "win32/Messages.h"
#include "win32/Unsupported.h"
#include "win32/Window.h"
#include "win32/WindowPos.h"

namespace winsim {

namespace {

// The second press of a double-click comes within this time and this
// distance of the first (the platform's defaults: 500 ms, a 4-pixel square).
constexpr DWORD kDoubleClickTime = 500;
constexpr int kDoubleClickHalfSize = 2;

bool ContainsPoint(const Window* w, POINT p) { return PtInRect(&w->window, p) != FALSE; }

struct Hit {
  Window* window = nullptr;
  LRESULT code = HTNOWHERE;
};

LPARAM ScreenLParam(POINT p) { return MAKELPARAM(p.x, p.y); }

LPARAM ClientLParam(HWND hwnd, POINT p) {
  ScreenToClient(hwnd, &p);
  return MAKELPARAM(p.x, p.y);
}

// The deepest visible, enabled child under the point that does not let the
// point through, with its hit code. Each window asked is asked once.
std::optional<Hit> ChildUnder(Window* w, POINT p) {
  if (!PtInRect(&w->client, p)) return std::nullopt;
  for (HWND h : w->children) {
    Window* c = FindWindowObject(h);
    if (!c || !c->visible() || (c->style & WS_DISABLED) || !ContainsPoint(c, p)) continue;
    if (std::optional<Hit> deeper = ChildUnder(c, p)) return deeper;
    LRESULT code = SendMessageA(h, WM_NCHITTEST, 0, ScreenLParam(p));
    if (code == HTTRANSPARENT || !FindWindowObject(h)) continue;
    return Hit{c, code};
  }
  return std::nullopt;
}

bool PassesThrough(const Window* w, POINT p) {
  if (!(w->exStyle & WS_EX_LAYERED)) return false;
  if (w->exStyle & WS_EX_TRANSPARENT) return true;
  return !LayeredWindowHitsPoint(w->handle, p);
}

WPARAM MouseKeys() {
  const DesktopState& d = Desktop();
  return (d.leftDown ? MK_LBUTTON : 0) | (d.rightDown ? MK_RBUTTON : 0) | (d.keys[VK_SHIFT] ? MK_SHIFT : 0) |
         (d.keys[VK_CONTROL] ? MK_CONTROL : 0);
}

// The client message and its non-client twin for each pointer event.
struct MouseMessage {
  UINT client;
  UINT nonClient;
};

MouseMessage MessageFor(const RawInput& e, bool doubleClick) {
  const bool left = e.button == MouseButton::Left;
  switch (e.kind) {
    case RawInput::Kind::Press:
      if (doubleClick) return left ? MouseMessage{WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK}
                                   : MouseMessage{WM_RBUTTONDBLCLK, WM_NCRBUTTONDBLCLK};
      return left ? MouseMessage{WM_LBUTTONDOWN, WM_NCLBUTTONDOWN} : MouseMessage{WM_RBUTTONDOWN, WM_NCRBUTTONDOWN};
    case RawInput::Kind::Release:
      return left ? MouseMessage{WM_LBUTTONUP, WM_NCLBUTTONUP} : MouseMessage{WM_RBUTTONUP, WM_NCRBUTTONUP};
    default: return {WM_MOUSEMOVE, WM_NCMOUSEMOVE};
  }
}

// The press before this one, for double-click detection.
struct LastPress {
  HWND window = nullptr;
  MouseButton button = MouseButton::Left;
  DWORD time = 0;
  POINT point{};
  bool wasDouble = false;
};

struct Router {
  LastPress lastPress;
  std::bitset<256> keysTaken;  // key presses a hot key took: their releases go nowhere
  std::function<bool(UINT)> keyInterceptor;
};

Router& R() {
  static auto* router = new Router();
  return *router;
}

// A second press of the same button on the same window, soon and near
// enough, is a double-click. In the client area only windows whose class
// asks for double-clicks get one; the non-client area always does.
bool IsDoubleClick(const RawInput& e, const Window* target, LRESULT hit) {
  const LastPress& last = R().lastPress;
  bool second = last.window == target->handle && !last.wasDouble && last.button == e.button &&
                e.time - last.time <= kDoubleClickTime && std::abs(e.point.x - last.point.x) <= kDoubleClickHalfSize &&
                std::abs(e.point.y - last.point.y) <= kDoubleClickHalfSize;
  return second && (hit != HTCLIENT || (target->classStyle & CS_DBLCLKS));
}

void NotePress(const RawInput& e, HWND target, bool doubleClick) {
  R().lastPress = LastPress{target, e.button, e.time, e.point, doubleClick};
}

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
void NoteMouseOver(HWND hwnd, DWORD time) {
  DesktopState& d = Desktop();
  if (!d.leaveWatch || d.leaveWatch == hwnd) return;
  HWND left = d.leaveWatch;
  d.leaveWatch = nullptr;
  PostInputMessage(left, WM_MOUSELEAVE, 0, 0, time);
}

void RouteToCapture(const RawInput& e, Window* capture) {
  const bool press = e.kind == RawInput::Kind::Press;
  const bool doubleClick = press && IsDoubleClick(e, capture, HTCLIENT);
  if (press) NotePress(e, capture->handle, doubleClick);
  PostInputMessage(capture->handle, MessageFor(e, doubleClick).client, MouseKeys(),
                   ClientLParam(capture->handle, e.point), e.time);
}

void RoutePointer(const RawInput& e) {
  DesktopState& d = Desktop();
  d.cursor = e.point;
  const bool press = e.kind == RawInput::Kind::Press;
  if (press || e.kind == RawInput::Kind::Release) {
    (e.button == MouseButton::Left ? d.leftDown : d.rightDown) = press;
  }
  if (Window* capture = FindWindowObject(d.capture)) return RouteToCapture(e, capture);
  LRESULT hit = HTNOWHERE;
  HWND hwnd = WindowFromScreenPoint(e.point, &hit);
  NoteMouseOver(hwnd, e.time);
  Window* target = FindWindowObject(hwnd);
  if (!target) return;
  if (hit == HTERROR) {
    // A disabled window takes no mouse input; a press only beeps.
    if (press) MessageBeep(0);
    return;
  }
  const bool doubleClick = press && IsDoubleClick(e, target, hit);
  const MouseMessage message = MessageFor(e, doubleClick);
  if (press && !ActivateOnPress(target, hit, message.client)) return;
  if (!FindWindowObject(hwnd)) return;
  if (press) NotePress(e, hwnd, doubleClick);
  if (hit == HTCLIENT) {
    PostInputMessage(hwnd, message.client, MouseKeys(), ClientLParam(hwnd, e.point), e.time);
  } else {
    PostInputMessage(hwnd, message.nonClient, static_cast<WPARAM>(hit), ScreenLParam(e.point), e.time);
  }
}

// While Alt is held (and Ctrl is not), keys arrive as system keys; the
// context bit of lParam says that Alt is down.
void RouteKey(const RawInput& e) {
  DesktopState& d = Desktop();
  const bool down = e.kind == RawInput::Kind::KeyDown;
  const UINT vk = e.vk & 0xFF;
  const bool alt = vk == VK_MENU || d.keys[VK_MENU];
  d.keys[vk] = down;
  Router& r = R();
  if (down && r.keyInterceptor && r.keyInterceptor(vk)) {
    r.keysTaken[vk] = true;
    return;
  }
  if (!down && r.keysTaken[vk]) {
    r.keysTaken[vk] = false;
    return;
  }
  HWND target = d.focus ? d.focus : d.active;
  if (!FindWindowObject(target)) return;
  const bool system = alt && !d.keys[VK_CONTROL];
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  const auto flags = static_cast<LPARAM>(1u | (alt ? 0x20000000u : 0u) | (down ? 0u : 0xC0000000u));
  PostInputMessage(target, message, vk, flags, e.time);
}

}  // namespace

HWND WindowFromScreenPoint(POINT p, LRESULT* hitOut) {
  Hit found;
  for (HWND h : TopLevelZOrder()) {
    Window* w = FindWindowObject(h);
    if (!w || !w->visible() || !ContainsPoint(w, p) || PassesThrough(w, p)) continue;
    if (w->style & WS_DISABLED) {
      found = Hit{w, HTERROR};
      break;
    }
    if (std::optional<Hit> child = ChildUnder(w, p)) {
      found = *child;
      break;
    }
    LRESULT code = SendMessageA(h, WM_NCHITTEST, 0, ScreenLParam(p));
    if (code == HTTRANSPARENT || !FindWindowObject(h)) continue;
    found = Hit{w, code};
    break;
  }
  if (hitOut) *hitOut = found.code;
  return found.window ? found.window->handle : nullptr;
}

bool RouteNextInput() {
  std::optional<RawInput> e = TakeRawInput();
  if (!e) return false;
  if (e->kind == RawInput::Kind::KeyDown || e->kind == RawInput::Kind::KeyUp) {
    RouteKey(*e);
  } else {
    RoutePointer(*e);
  }
  return true;
}

void ResetInput() {
  ResetRawInput();
  R().lastPress = LastPress{};
  R().keysTaken.reset();
}

void SetKeyInterceptor(std::function<bool(UINT vk)> interceptor) { R().keyInterceptor = std::move(interceptor); }

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

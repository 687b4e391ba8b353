#include "SizeMoveLoop.h"

#include <algorithm>
#include <functional>

#include "Window.h"
#include "WindowPos.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

constexpr int WMSZ_LEFT = 1;
constexpr int WMSZ_RIGHT = 2;
constexpr int WMSZ_TOP = 3;
constexpr int WMSZ_TOPLEFT = 4;
constexpr int WMSZ_TOPRIGHT = 5;
constexpr int WMSZ_BOTTOM = 6;
constexpr int WMSZ_BOTTOMLEFT = 7;
constexpr int WMSZ_BOTTOMRIGHT = 8;

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONDBLCLK);
}
bool IsMove(UINT m) { return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE; }
bool IsRelease(UINT m) { return m == WM_LBUTTONUP || m == WM_NCLBUTTONUP; }

enum class Step { Track, Finish, Cancel };

// Pumps the thread's queue while the left button is held. Mouse and key
// messages belong to the loop; everything else is dispatched as usual.
void TrackWhileHeld(HWND hwnd, const std::function<Step(const MSG&)>& onInput) {
  SetCapture(hwnd);
  SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  for (;;) {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(hwnd)) break;
    if (IsMouse(msg.message) || msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) {
      if (onInput(msg) != Step::Track) break;
      continue;
    }
    DispatchMessageA(&msg);
  }
  if (IsWindow(hwnd)) {
    if (GetCapture() == hwnd) ReleaseCapture();
    SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
  }
}

void Place(HWND hwnd, const RECT& r, UINT flags) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return;
  POINT origin{r.left, r.top};
  if (w->isChild()) ScreenToClient(w->parent, &origin);
  SetWindowPos(hwnd, nullptr, origin.x, origin.y, r.right - r.left, r.bottom - r.top,
               flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Resized(RECT r, int edge, int dx, int dy, const MINMAXINFO& info) {
  bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
  bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
  auto clampWidth = [&](int w) { return std::clamp<int>(w, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x)); };
  auto clampHeight = [&](int h) { return std::clamp<int>(h, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y)); };
  if (left) r.left = r.right - clampWidth(r.right - (r.left + dx));
  if (right) r.right = r.left + clampWidth(r.right + dx - r.left);
  if (top) r.top = r.bottom - clampHeight(r.bottom - (r.top + dy));
  if (bottom) r.bottom = r.top + clampHeight(r.bottom + dy - r.top);
  return r;
}

}  // namespace

namespace {

// Follows the mouse while the button is held: `at` places the window for a
// point; release or Enter keeps the last place, Escape puts it back.
void TrackDrag(HWND hwnd, const RECT& start, UINT placeFlags, const std::function<void(POINT)>& at) {
  TrackWhileHeld(hwnd, [&](const MSG& msg) {
    if (IsMove(msg.message)) at(msg.pt);
    if (IsRelease(msg.message)) {
      at(msg.pt);
      return Step::Finish;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      Place(hwnd, start, placeFlags);
      return Step::Cancel;
    }
    return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN ? Step::Finish : Step::Track;
  });
}

}  // namespace

void RunMoveLoop(HWND hwnd) {
  Window* w = FindWindowObject(hwnd);
  if (!w || !Desktop().leftDown || (w->style & WS_MAXIMIZE)) return;
  const RECT start = w->window;
  const POINT grab = Desktop().cursor;
  TrackDrag(hwnd, start, SWP_NOSIZE, [&](POINT p) {
    RECT r = start;
    OffsetRect(&r, p.x - grab.x, p.y - grab.y);
    SendMessageA(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    Place(hwnd, r, SWP_NOSIZE);
  });
}

void RunSizeLoop(HWND hwnd, int edge) {
  Window* w = FindWindowObject(hwnd);
  if (!w || !Desktop().leftDown || edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT) return;
  const RECT start = w->window;
  const POINT grab = Desktop().cursor;
  MINMAXINFO info = DefaultMinMaxInfo(w);
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  TrackDrag(hwnd, start, 0, [&](POINT p) {
    RECT r = Resized(start, edge, p.x - grab.x, p.y - grab.y, info);
    SendMessageA(hwnd, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
    Place(hwnd, r, 0);
  });
}

bool TrackCaptionButton(HWND hwnd, int hit) {
  if (!Desktop().leftDown) return false;
  bool released = false;
  TrackWhileHeld(hwnd, [&](const MSG& msg) {
    if (!IsRelease(msg.message)) return Step::Track;
    LRESULT there = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    released = there == hit;
    return Step::Finish;
  });
  return released;
}

}  // namespace winsim

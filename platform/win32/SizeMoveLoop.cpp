#include "SizeMoveLoop.h"

#include <algorithm>
#include <functional>

#include "Window.h"
#include "WindowPos.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

constexpr int WMSZ_LEFT = 1;
constexpr int WMSZ_BOTTOMRIGHT = 8;
// How far one arrow key moves a window or an edge in the keyboard modes.
constexpr int kKeyboardStep = 8;

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONDBLCLK);
}
bool IsKey(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }
bool IsMove(UINT m) { return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE; }
bool IsRelease(UINT m) { return m == WM_LBUTTONUP || m == WM_NCLBUTTONUP; }
bool IsAnyRelease(UINT m) { return IsRelease(m) || m == WM_RBUTTONUP || m == WM_NCRBUTTONUP; }
bool IsKeyDown(const MSG& msg, WPARAM vk) {
  return (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == vk;
}

enum class Step { Track, Finish, Cancel };

// The loop running now, for dumps.
struct ActiveLoop {
  HWND window = nullptr;
  const char* mode = "";
  bool keyboard = false;
  RECT start{};
};
ActiveLoop* g_active = nullptr;

// Pumps the thread's queue with the mouse captured. Mouse and key messages
// belong to the loop; everything else is dispatched as usual.
// A move or size loop shows in dumps while it runs.
void TrackInput(HWND hwnd, ActiveLoop* shown, const std::function<Step(const MSG&)>& onInput) {
  ActiveLoop* outer = g_active;
  if (shown) g_active = shown;
  SetCapture(hwnd);
  SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  for (;;) {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(hwnd)) break;
    if (IsMouse(msg.message) || IsKey(msg.message)) {
      if (onInput(msg) != Step::Track) break;
      continue;
    }
    DispatchMessageA(&msg);
  }
  g_active = outer;
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

void PlaceMoved(HWND hwnd, RECT r) {
  SendMessageA(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  Place(hwnd, r, SWP_NOSIZE);
}

// The edges a sizing operation moves: -1 the left or top edge, +1 the right
// or bottom edge, 0 neither.
struct Edges {
  int horizontal = 0;
  int vertical = 0;
};

// WMSZ_LEFT (1) ... WMSZ_BOTTOMRIGHT (8) and back.
int EdgeCode(Edges e) {
  static const int codes[3][3] = {{4, 3, 5}, {1, 0, 2}, {7, 6, 8}};  // [vertical + 1][horizontal + 1]
  return codes[e.vertical + 1][e.horizontal + 1];
}

Edges EdgesOf(int code) {
  for (int v = -1; v <= 1; ++v) {
    for (int h = -1; h <= 1; ++h) {
      if (EdgeCode({h, v}) == code) return {h, v};
    }
  }
  return {};
}

MINMAXINFO TrackLimits(HWND hwnd) {
  MINMAXINFO info = DefaultMinMaxInfo(FindWindowObject(hwnd));
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

// `start` with its chosen edges moved by (dx, dy), within the tracking limits.
RECT Resized(RECT r, Edges edges, int dx, int dy, const MINMAXINFO& info) {
  auto clampWidth = [&](int w) {
    return std::clamp<int>(w, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
  };
  auto clampHeight = [&](int h) {
    return std::clamp<int>(h, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
  };
  if (edges.horizontal < 0) r.left = r.right - clampWidth(r.right - (r.left + dx));
  if (edges.horizontal > 0) r.right = r.left + clampWidth(r.right + dx - r.left);
  if (edges.vertical < 0) r.top = r.bottom - clampHeight(r.bottom - (r.top + dy));
  if (edges.vertical > 0) r.bottom = r.top + clampHeight(r.bottom + dy - r.top);
  return r;
}

void PlaceResized(HWND hwnd, RECT r, Edges edges) {
  SendMessageA(hwnd, WM_SIZING, static_cast<WPARAM>(EdgeCode(edges)), reinterpret_cast<LPARAM>(&r));
  Place(hwnd, r, 0);
}

// The direction of an arrow key; (0, 0) for any other key.
POINT ArrowOf(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return {0, 0};
  switch (msg.wParam) {
    case VK_LEFT: return {-1, 0};
    case VK_RIGHT: return {1, 0};
    case VK_UP: return {0, -1};
    case VK_DOWN: return {0, 1};
    default: return {0, 0};
  }
}

// Enter and a click keep the place, Escape puts the window back.
Step KeyboardLoopEnd(HWND hwnd, const MSG& msg, const RECT& start) {
  if (IsKeyDown(msg, VK_ESCAPE)) {
    Place(hwnd, start, 0);
    return Step::Cancel;
  }
  return IsKeyDown(msg, VK_RETURN) || IsAnyRelease(msg.message) ? Step::Finish : Step::Track;
}

// Follows the mouse while the button is held: `at` places the window for a
// point; release or Enter keeps the last place, Escape puts it back.
void TrackDrag(HWND hwnd, ActiveLoop loop, const std::function<void(POINT)>& at) {
  const RECT start = loop.start;
  TrackInput(hwnd, &loop, [&](const MSG& msg) {
    if (IsMove(msg.message)) at(msg.pt);
    if (IsRelease(msg.message)) {
      at(msg.pt);
      return Step::Finish;
    }
    if (IsKeyDown(msg, VK_ESCAPE)) {
      Place(hwnd, start, 0);
      return Step::Cancel;
    }
    return IsKeyDown(msg, VK_RETURN) ? Step::Finish : Step::Track;
  });
}

void DragMove(HWND hwnd, const RECT start) {
  const POINT grab = Desktop().cursor;
  TrackDrag(hwnd, {hwnd, "move", false, start}, [&](POINT p) {
    RECT r = start;
    OffsetRect(&r, p.x - grab.x, p.y - grab.y);
    PlaceMoved(hwnd, r);
  });
}

// The keyboard move: the cursor goes to the middle of the caption, and the
// window keeps its offset from the cursor, which the arrow keys and the
// mouse move.
void KeyboardMove(HWND hwnd, const RECT start) {
  const Window* w = FindWindowObject(hwnd);
  const RECT insets = NonClientInsets(w->style, w->exStyle);
  const POINT grab{(start.left + start.right) / 2, start.top + (insets.left + insets.top) / 2};
  POINT cursor = grab;
  SetCursorPos(cursor.x, cursor.y);
  auto follow = [&](POINT p) {
    cursor = p;
    RECT r = start;
    OffsetRect(&r, p.x - grab.x, p.y - grab.y);
    PlaceMoved(hwnd, r);
  };
  ActiveLoop loop{hwnd, "move", true, start};
  TrackInput(hwnd, &loop, [&](const MSG& msg) {
    if (IsMove(msg.message)) follow(msg.pt);
    const POINT arrow = ArrowOf(msg);
    if (arrow.x || arrow.y) {
      follow({cursor.x + arrow.x * kKeyboardStep, cursor.y + arrow.y * kKeyboardStep});
      SetCursorPos(cursor.x, cursor.y);
    }
    return KeyboardLoopEnd(hwnd, msg, start);
  });
}

void DragSize(HWND hwnd, const RECT start, Edges edges) {
  const POINT grab = Desktop().cursor;
  const MINMAXINFO info = TrackLimits(hwnd);
  TrackDrag(hwnd, {hwnd, "size", false, start}, [&](POINT p) {
    PlaceResized(hwnd, Resized(start, edges, p.x - grab.x, p.y - grab.y, info), edges);
  });
}

// The keyboard size: the cursor starts in the middle of the window. The
// first arrow key (or mouse move) on an axis chooses the edge on that side
// and puts the cursor on it; from then on the edge follows the cursor, which
// the arrow keys and the mouse move.
void KeyboardSize(HWND hwnd, const RECT start, Edges edges) {
  const MINMAXINFO info = TrackLimits(hwnd);
  POINT cursor{(start.left + start.right) / 2, (start.top + start.bottom) / 2};
  SetCursorPos(cursor.x, cursor.y);
  auto edgeX = [&] { return edges.horizontal < 0 ? start.left : start.right; };
  auto edgeY = [&] { return edges.vertical < 0 ? start.top : start.bottom; };
  auto follow = [&](POINT p) {
    cursor = p;
    if (edges.horizontal || edges.vertical) {
      PlaceResized(hwnd, Resized(start, edges, p.x - edgeX(), p.y - edgeY(), info), edges);
    }
  };
  auto choose = [&](POINT direction) {
    if (direction.x && !edges.horizontal) {
      edges.horizontal = direction.x;
      cursor.x = edgeX();
    }
    if (direction.y && !edges.vertical) {
      edges.vertical = direction.y;
      cursor.y = edgeY();
    }
  };
  ActiveLoop loop{hwnd, "size", true, start};
  TrackInput(hwnd, &loop, [&](const MSG& msg) {
    if (IsMove(msg.message)) {
      choose({msg.pt.x < cursor.x ? -1 : msg.pt.x > cursor.x ? 1 : 0,
              msg.pt.y < cursor.y ? -1 : msg.pt.y > cursor.y ? 1 : 0});
      follow(msg.pt);
    }
    const POINT arrow = ArrowOf(msg);
    if (arrow.x || arrow.y) {
      const Edges before = edges;
      choose(arrow);
      const bool chosenNow = (arrow.x && !before.horizontal) || (arrow.y && !before.vertical);
      follow(chosenNow ? cursor : POINT{cursor.x + arrow.x * kKeyboardStep, cursor.y + arrow.y * kKeyboardStep});
      SetCursorPos(cursor.x, cursor.y);
    }
    return KeyboardLoopEnd(hwnd, msg, start);
  });
}

bool CanMoveOrSize(const Window* w) { return w && !(w->style & (WS_MAXIMIZE | WS_MINIMIZE)); }

}  // namespace

void RunMoveLoop(HWND hwnd) {
  Window* w = FindWindowObject(hwnd);
  if (!CanMoveOrSize(w)) return;
  if (Desktop().leftDown) {
    DragMove(hwnd, w->window);
  } else {
    KeyboardMove(hwnd, w->window);
  }
}

void RunSizeLoop(HWND hwnd, int edge) {
  Window* w = FindWindowObject(hwnd);
  if (!CanMoveOrSize(w) || edge < 0 || edge > WMSZ_BOTTOMRIGHT) return;
  if (Desktop().leftDown && edge >= WMSZ_LEFT) {
    DragSize(hwnd, w->window, EdgesOf(edge));
  } else {
    KeyboardSize(hwnd, w->window, EdgesOf(edge));
  }
}

bool TrackCaptionButton(HWND hwnd, int hit) {
  if (!IsWindow(hwnd) || !Desktop().leftDown) return false;
  bool released = false;
  TrackInput(hwnd, nullptr, [&](const MSG& msg) {
    if (!IsRelease(msg.message)) return Step::Track;
    LRESULT there = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    released = there == hit;
    return Step::Finish;
  });
  return released;
}

namespace {

nlohmann::json SizeMoveJson() {
  if (!g_active) return nullptr;
  const RECT& r = g_active->start;
  return {{"window", reinterpret_cast<uintptr_t>(g_active->window)},
          {"mode", g_active->mode},
          {"keyboard", g_active->keyboard},
          {"start", {r.left, r.top, r.right, r.bottom}}};
}

[[maybe_unused]] const bool g_registered = [] {
  RegisterDumpSection("sizemove", SizeMoveJson);
  return true;
}();

}  // namespace

}  // namespace winsim

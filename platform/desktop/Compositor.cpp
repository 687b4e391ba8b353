// The screen as a person sees it: the desktop's colour, then every visible
// top-level window from the bottom of the z-order up, each from its own
// surface, layered ones blended by their alpha or keyed by their colour.
#include <algorithm>

#include "Desktop.h"
#include "gdi/Surface.h"
#include "gdi/WinGdi.h"
#include "win32/Window.h"

namespace winsim {

namespace {

constexpr Argb kDesktopColour = 0xFF008080u;  // RGB(0, 128, 128)

struct Screen {
  int width;
  int height;
  std::vector<uint32_t>& pixels;
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

uint32_t Blend(Argb premultiplied, uint32_t under) {
  const uint32_t keep = 255 - (premultiplied >> 24);
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8)
    out |= std::min<uint32_t>(255, ((premultiplied >> shift) & 0xFF) + (((under >> shift) & 0xFF) * keep + 127) / 255) << shift;
  return out;
}

// Calls `paint(screenX, screenY, surfaceX, surfaceY)` for the part of the
// surface at `origin` that lies on the screen.
template <typename Paint>
void ForVisible(Screen& screen, const Surface& s, POINT origin, Paint paint) {
  const int left = std::max(0, static_cast<int>(origin.x)), top = std::max(0, static_cast<int>(origin.y));
  const int right = std::min(screen.width, static_cast<int>(origin.x) + s.width);
  const int bottom = std::min(screen.height, static_cast<int>(origin.y) + s.height);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) paint(screen.At(x, y), x - origin.x, y - origin.y);
}

// What the window shows at a pixel of its own surface, premultiplied; alpha
// 0 where it shows nothing.
Argb Shown(const Window& w, const Surface& s, int x, int y) {
  const Argb own = 0xFF000000u | RgbOf(s.Colour(x, y));
  if (!(w.exStyle & WS_EX_LAYERED)) return own;
  if (w.layeredUpdated) return s.Raw(x, y);
  if (!w.layeredAttributes) return 0;
  if ((w.layeredFlags & LWA_COLORKEY) && RgbOf(own) == ArgbFromColorRef(w.layeredKey)) return 0;
  if (!(w.layeredFlags & LWA_ALPHA)) return own;
  Argb out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= ((((own >> shift) & 0xFF) * w.layeredAlpha + 127) / 255) << shift;
  return out;
}

const Surface* Content(const Window& w) {
  if ((w.exStyle & WS_EX_LAYERED) && w.layeredUpdated) return w.layeredSurface.get();
  return w.surface.get();
}

void ComposeWindow(Screen& screen, const Window& w) {
  const Surface* s = Content(w);
  if (!s) return;
  ForVisible(screen, *s, {w.window.left, w.window.top},
             [&](uint32_t& pixel, int x, int y) { pixel = Blend(Shown(w, *s, x, y), pixel); });
}

}  // namespace

std::vector<uint32_t> ComposeScreen() {
  const DesktopState& d = Desktop();
  std::vector<uint32_t> pixels(static_cast<size_t>(d.screenWidth) * static_cast<size_t>(d.screenHeight), kDesktopColour);
  Screen screen{d.screenWidth, d.screenHeight, pixels};
  const std::vector<HWND> order = TopLevelZOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Window* w = FindWindowObject(*it);
    if (w && IsReallyVisible(w) && !w->minimized()) ComposeWindow(screen, *w);
  }
  return pixels;
}

bool LayeredWindowHitsPoint(HWND hwnd, POINT screen) {
  const Window* w = FindWindowObject(hwnd);
  if (!w) return false;
  const Surface* s = Content(*w);
  const int x = screen.x - w->window.left, y = screen.y - w->window.top;
  if (!s || !s->Contains(x, y)) return false;
  return (Shown(*w, *s, x, y) >> 24) != 0;
}

}  // namespace winsim

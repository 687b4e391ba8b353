// Device contexts on windows. Every window draws into its top-level window's
// surface: a child at its offset, clipped to its own area and its parents'
// client areas, as the compositor shows the top-level window whole.
#include <algorithm>

#include "gdi/GdiObjects.h"
#include "win32/Window.h"
#include "win32/WindowDC.h"

namespace winsim::gdi {

namespace {

RECT Relative(const RECT& r, const RECT& to) {
  return {r.left - to.left, r.top - to.top, r.right - to.left, r.bottom - to.top};
}

void Intersect(RECT& r, const RECT& with) {
  r.left = std::max(r.left, with.left), r.top = std::max(r.top, with.top);
  r.right = std::min(r.right, with.right), r.bottom = std::min(r.bottom, with.bottom);
}

HDC DisplayDC() {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DeviceContext::Kind::Display;
  dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  return AddDC(std::move(dc));
}

}  // namespace

std::shared_ptr<Surface> WindowSurface(Window* root) {
  const int w = std::max(root->width(), 0), h = std::max(root->height(), 0);
  if (!root->surface || root->surface->width != w || root->surface->height != h) {
    auto fresh = Surface::Create(w, h, kScreenBitsPerPixel);
    // What was drawn stays where it was until the window repaints.
    if (root->surface)
      for (int y = 0; y < std::min(h, root->surface->height); ++y)
        std::copy_n(root->surface->Row32(y), std::min(w, root->surface->width), fresh->Row32(y));
    root->surface = fresh;
  }
  return root->surface;
}

HDC AcquireWindowDC(HWND hwnd, bool wholeWindow) {
  Window* w = FindWindowObject(hwnd);
  if (!w || hwnd == GetDesktopWindow()) return DisplayDC();
  Window* root = RootOf(w);
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DeviceContext::Kind::Window;
  dc->window = hwnd;
  dc->surface = WindowSurface(root);
  dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  const RECT area = Relative(wholeWindow ? w->window : w->client, root->window);
  dc->origin = {area.left, area.top};
  dc->clip = area;
  for (Window* p = w->isChild() ? FindWindowObject(w->parent) : nullptr; p;
       p = p->isChild() ? FindWindowObject(p->parent) : nullptr)
    Intersect(dc->clip, Relative(p->client, root->window));
  return AddDC(std::move(dc));
}

void ReleaseWindowDC(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  if (dc && (dc->kind == DeviceContext::Kind::Window || dc->kind == DeviceContext::Kind::Display)) RemoveDC(hdc);
}

}  // namespace winsim::gdi

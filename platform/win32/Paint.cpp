// Update regions and the paint cycle; device contexts come from GDI.
#include <algorithm>

#include "Messages.h"
#include "Unsupported.h"
#include "Window.h"
#include "WindowDC.h"
#include "WindowPos.h"

namespace winsim {

namespace {

RECT ClientBounds(const Window* w) {
  return {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

void AddToUpdate(Window* w, const RECT& area, bool erase) {
  RECT clipped;
  RECT bounds = ClientBounds(w);
  if (!IntersectRect(&clipped, &area, &bounds)) return;
  if (w->needsPaint) {
    UnionRect(&w->updateRect, &w->updateRect, &clipped);
  } else {
    w->updateRect = clipped;
  }
  w->needsPaint = true;
  w->needsErase = w->needsErase || erase;
}

void Validate(Window* w) {
  w->needsPaint = false;
  w->needsErase = false;
  w->updateRect = {};
}

// A parent that does not clip its children paints over them, so they paint
// themselves again afterwards.
void RepaintChildrenAfter(Window* parent) {
  if (parent->style & WS_CLIPCHILDREN) return;
  for (HWND child : parent->children) {
    Window* c = FindWindowObject(child);
    if (!c || !c->visible()) continue;
    AddToUpdate(c, ClientBounds(c), true);
    RepaintChildrenAfter(c);
  }
}

UINT EraseMessage(const Window* w) { return w->minimized() ? WM_ICONERASEBKGND : WM_ERASEBKGND; }

}  // namespace

void EraseBackgroundNow(HWND hwnd) {
  Window* w = FindWindowObject(hwnd);
  if (!w || !w->needsErase || !IsReallyVisible(w)) return;
  // The erase is done whatever the answer: the paint that follows does not repeat it.
  w->needsErase = false;
  HDC dc = gdi::AcquireWindowDC(hwnd, false);
  SendMessageA(hwnd, EraseMessage(w), reinterpret_cast<WPARAM>(dc), 0);
  gdi::ReleaseWindowDC(dc);
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  AddToUpdate(w, lpRect ? *lpRect : ClientBounds(w), bErase != FALSE);
  // Children overlapping the area are repainted with their parent.
  for (HWND child : w->children) {
    Window* c = FindWindowObject(child);
    if (c && c->visible()) InvalidateRect(child, nullptr, bErase);
  }
  return TRUE;
}

extern "C" BOOL WINAPI ValidateRect(HWND hWnd, const RECT*) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  Validate(w);
  return TRUE;
}

extern "C" BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  if (lpRect) *lpRect = w->needsPaint ? w->updateRect : RECT{};
  return w->needsPaint ? TRUE : FALSE;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  PaintNonClientNow(hWnd);
  w = FindWindowObject(hWnd);
  if (w && w->needsPaint && IsReallyVisible(w)) SendMessageA(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}

extern "C" BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
  if (hrgnUpdate) WINSIM_UNSUPPORTED("update regions");
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  if (flags & RDW_FRAME) InvalidateNonClient(w);
  if (flags & RDW_INVALIDATE) InvalidateRect(hWnd, lprcUpdate, (flags & RDW_ERASE) ? TRUE : FALSE);
  if (flags & RDW_UPDATENOW) UpdateWindow(hWnd);
  return TRUE;
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* w = FindWindowObject(hWnd);
  if (!w || !lpPaint) return nullptr;
  PaintNonClientNow(hWnd);
  if (!(w = FindWindowObject(hWnd))) return nullptr;
  *lpPaint = PAINTSTRUCT{};
  lpPaint->rcPaint = w->needsPaint ? w->updateRect : RECT{};
  bool erase = w->needsErase;
  Validate(w);
  RepaintChildrenAfter(w);
  lpPaint->hdc = gdi::AcquireWindowDC(hWnd, false);
  if (erase) {
    lpPaint->fErase = SendMessageA(hWnd, EraseMessage(w), reinterpret_cast<WPARAM>(lpPaint->hdc), 0)
                          ? FALSE
                          : TRUE;
  }
  return lpPaint->hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
  if (lpPaint && lpPaint->hdc) gdi::ReleaseWindowDC(lpPaint->hdc);
  return TRUE;
}

extern "C" HDC WINAPI GetDC(HWND hWnd) {
  if (!hWnd || hWnd == GetDesktopWindow()) return gdi::AcquireWindowDC(nullptr, false);
  return FindWindowObject(hWnd) ? gdi::AcquireWindowDC(hWnd, false) : nullptr;
}

extern "C" HDC WINAPI GetWindowDC(HWND hWnd) {
  if (!hWnd || hWnd == GetDesktopWindow()) return gdi::AcquireWindowDC(nullptr, true);
  return FindWindowObject(hWnd) ? gdi::AcquireWindowDC(hWnd, true) : nullptr;
}

extern "C" int WINAPI ReleaseDC(HWND, HDC hDC) {
  if (!hDC) return 0;
  gdi::ReleaseWindowDC(hDC);
  return 1;
}

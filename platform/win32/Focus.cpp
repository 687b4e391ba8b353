// Keyboard focus, activation, enabling, mouse capture and the cursor.
#include "Messages.h"
#include "WindowPos.h"
#include "WinBase.h"
#include "desktop/Desktop.h"

using namespace winsim;

extern "C" HWND WINAPI SetFocus(HWND hWnd) {
  DesktopState& d = Desktop();
  HWND old = d.focus;
  if (!hWnd) {
    d.focus = nullptr;
    if (FindWindowObject(old)) SendMessageA(old, WM_KILLFOCUS, 0, 0);
    return old;
  }
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  // Focusing a window activates its top-level window first.
  Window* root = RootOf(w);
  if (d.active != root->handle) ActivateWindow(root->handle, WA_ACTIVE);
  old = d.focus;
  if (old == hWnd || !FindWindowObject(hWnd)) return old;
  d.focus = hWnd;
  if (FindWindowObject(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  if (d.focus == hWnd && FindWindowObject(hWnd)) SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

extern "C" HWND WINAPI GetFocus(void) { return Desktop().focus; }

extern "C" HWND WINAPI SetActiveWindow(HWND hWnd) {
  HWND old = Desktop().active;
  Window* w = FindWindowObject(hWnd);
  if (!w) return nullptr;
  ActivateWindow(RootOf(w)->handle, WA_ACTIVE);
  return old;
}

extern "C" HWND WINAPI GetActiveWindow(void) { return Desktop().active; }

extern "C" BOOL WINAPI SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) || Desktop().active == hWnd; }

extern "C" HWND WINAPI GetForegroundWindow(void) { return Desktop().active; }

extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (bEnable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    SendMessageA(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !wasDisabled) {
    SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
    w->style |= WS_DISABLED;
    DesktopState& d = Desktop();
    if (d.focus == hWnd || IsChild(hWnd, d.focus)) SetFocus(nullptr);
    if (d.capture == hWnd) ReleaseCapture();
    SendMessageA(hWnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  return (w && !(w->style & WS_DISABLED)) ? TRUE : FALSE;
}

extern "C" HWND WINAPI SetCapture(HWND hWnd) {
  DesktopState& d = Desktop();
  HWND old = d.capture;
  d.capture = FindWindowObject(hWnd) ? hWnd : nullptr;
  if (old && old != hWnd && FindWindowObject(old)) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  return old;
}

extern "C" BOOL WINAPI ReleaseCapture(void) {
  DesktopState& d = Desktop();
  HWND old = d.capture;
  d.capture = nullptr;
  if (old && FindWindowObject(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

extern "C" HWND WINAPI GetCapture(void) { return Desktop().capture; }

extern "C" BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
  if (!lpPoint) return FALSE;
  *lpPoint = Desktop().cursor;
  return TRUE;
}

extern "C" BOOL WINAPI SetCursorPos(int X, int Y) {
  Desktop().cursor = {X, Y};
  return TRUE;
}

extern "C" SHORT WINAPI GetKeyState(int nVirtKey) {
  const DesktopState& d = Desktop();
  bool down = (nVirtKey == VK_LBUTTON && d.leftDown) || (nVirtKey == VK_RBUTTON && d.rightDown) ||
              (nVirtKey > VK_RBUTTON && nVirtKey < static_cast<int>(d.keys.size()) && d.keys[static_cast<size_t>(nVirtKey)]);
  return down ? static_cast<SHORT>(0x8000) : 0;
}

extern "C" SHORT WINAPI GetAsyncKeyState(int vKey) { return GetKeyState(vKey); }

extern "C" void WINAPI MessageBeep(UINT) {}

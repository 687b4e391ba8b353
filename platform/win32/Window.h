// The stand-in's window object. Everything the window manager, the dialog
// manager, GDI and the compositor know about a window lives here; product code
// only ever sees the HWND.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "WinUser.h"

namespace winsim {

struct Surface;           // pixels of a window (GDI)
struct DialogState;       // dialog manager's per-dialog record (Dialog.cpp)

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

struct Window {
  HWND handle = nullptr;
  std::string className;
  UINT classStyle = 0;
  HBRUSH classBackground = nullptr;
  HICON classIcon = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT window{};  // screen coordinates
  RECT client{};  // screen coordinates
  HWND parent = nullptr;  // child windows only
  HWND owner = nullptr;   // top-level windows only
  UINT_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::string text;  // ANSI code page
  LONG_PTR userData = 0;
  std::vector<unsigned char> extra;  // cbWndExtra bytes (DWLP_* of dialogs)
  std::vector<HWND> children;        // z-order, topmost first
  std::thread::id thread;

  bool destroyed = false;
  bool destroying = false;
  bool everVisible = false;
  bool hiddenByOwner = false;  // hidden because the owner was minimised
  int templateId = -1;         // dialog template id, -1 when none
  HICON iconBig = nullptr;
  HICON iconSmall = nullptr;
  RECT normalRect{};  // restored rectangle while minimised or maximised

  // Update region, kept as a bounding rectangle in client coordinates.
  bool needsPaint = false;
  bool needsErase = false;
  bool needsNcPaint = false;
  RECT updateRect{};

  std::unique_ptr<DialogState> dialog;

  // Pixels and layering, filled in by GDI and the compositor.
  std::shared_ptr<Surface> surface;          // the whole window, non-client included
  std::shared_ptr<Surface> layeredSurface;   // premultiplied BGRA from UpdateLayeredWindow
  bool layeredUpdated = false;               // UpdateLayeredWindow was called since WS_EX_LAYERED was set
  bool layeredAttributes = false;            // SetLayeredWindowAttributes was called
  COLORREF layeredKey = 0;
  BYTE layeredAlpha = 255;
  DWORD layeredFlags = 0;                    // LWA_COLORKEY / LWA_ALPHA

  Window();
  ~Window();
  bool visible() const { return (style & WS_VISIBLE) != 0; }
  bool isChild() const { return (style & WS_CHILD) != 0; }
  bool minimized() const { return (style & WS_MINIMIZE) != 0; }
  int width() const { return window.right - window.left; }
  int height() const { return window.bottom - window.top; }
};

// Live windows by handle; null for a handle that is unknown or destroyed.
Window* FindWindowObject(HWND hwnd);
// Every window ever created, in creation order (destroyed ones included).
const std::vector<std::unique_ptr<Window>>& AllWindows();
// Top-level windows, topmost first.
std::vector<HWND>& TopLevelZOrder();
// True when the window and all its ancestors are visible.
bool IsReallyVisible(const Window* w);
// The top-level window that contains `hwnd` (itself for a top-level window).
Window* RootOf(Window* w);

const WindowClass* FindWindowClass(LPCSTR name);
// The classes every process has: "Button", "Static", "#32770".
void RegisterSystemClasses();

// Frame thickness and caption of a window style, as AdjustWindowRectEx adds them.
RECT NonClientInsets(DWORD style, DWORD exStyle);

// Forget every window, class, hook and queue (between tests).
void ResetWindowManager();

}  // namespace winsim

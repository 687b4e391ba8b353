#include "desktop/Taskbar.h"

#include <algorithm>

#include "desktop/Desktop.h"
#include "gdi/SolidFill.h"
#include "gdi/WinGdi.h"
#include "win32/CodePage.h"
#include "win32/Menus.h"
#include "win32/Window.h"

namespace winsim {

namespace {

constexpr char kClass[] = "Shell_TrayWnd";
constexpr int kButtonWidth = 160;
constexpr int kTraySlot = 24;
constexpr int kMargin = 2;
constexpr COLORREF kBackground = RGB(32, 36, 48);
constexpr COLORREF kButton = RGB(58, 64, 82);
constexpr COLORREF kActiveButton = RGB(92, 104, 140);
constexpr COLORREF kText = RGB(235, 235, 240);

HWND g_taskbar = nullptr;

bool HasButton(const Window* w) {
  if (!w || w->destroyed || !w->visible() || w->isChild() || w->className == kClass) return false;
  if (w->exStyle & WS_EX_APPWINDOW) return true;
  return !w->owner && !(w->exStyle & WS_EX_TOOLWINDOW);
}

// Buttons in the order the windows were created, as the taskbar adds them.
std::vector<Window*> ButtonWindows() {
  std::vector<Window*> list;
  for (auto& w : AllWindows()) {
    if (HasButton(w.get())) list.push_back(w.get());
  }
  return list;
}

RECT StripRect() {
  const DesktopState& d = Desktop();
  return {0, d.workArea.bottom, d.screenWidth, d.screenHeight};
}

RECT ButtonRect(size_t index) {
  RECT strip = StripRect();
  int left = kMargin + static_cast<int>(index) * (kButtonWidth + kMargin);
  return {left, kMargin, left + kButtonWidth, strip.bottom - strip.top - kMargin};
}

HICON IconOf(const Window* w) {
  if (w->iconSmall) return w->iconSmall;
  if (w->iconBig) return w->iconBig;
  return w->classIcon;
}

void Fill(HDC dc, const RECT& r, COLORREF color) { gdi::FillSolidRect(dc, r, color); }

void PaintButton(HDC dc, const Window* w, const RECT& r) {
  Fill(dc, r, Desktop().active == w->handle ? kActiveButton : kButton);
  int iconSize = GetSystemMetrics(SM_CXSMICON);
  int iconTop = r.top + (r.bottom - r.top - iconSize) / 2;
  if (HICON icon = IconOf(w)) DrawIconEx(dc, r.left + 6, iconTop, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
  RECT text{r.left + 10 + iconSize, r.top, r.right - 4, r.bottom};
  DrawTextA(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  Fill(dc, client, kBackground);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kText);
  std::vector<Window*> buttons = ButtonWindows();
  for (size_t i = 0; i < buttons.size(); ++i) PaintButton(dc, buttons[i], ButtonRect(i));
  int iconSize = GetSystemMetrics(SM_CXSMICON);
  for (size_t i = 0; i < TrayIcons().size(); ++i) {
    RECT r = TrayIconRect(i);
    OffsetRect(&r, -client.left - StripRect().left, -StripRect().top);
    if (TrayIcons()[i].icon) {
      DrawIconEx(dc, r.left + (kTraySlot - iconSize) / 2, r.top + (r.bottom - r.top - iconSize) / 2,
                 TrayIcons()[i].icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    }
  }
  EndPaint(hwnd, &ps);
}

// The window whose button is at this point of the taskbar's client area.
HWND ButtonWindowAt(POINT p) {
  std::vector<Window*> buttons = ButtonWindows();
  for (size_t i = 0; i < buttons.size(); ++i) {
    RECT r = ButtonRect(i);
    if (PtInRect(&r, p)) return buttons[i]->handle;
  }
  return nullptr;
}

// A click on a window's button restores it when minimised, minimises it when
// it is the active window, and brings it forward otherwise.
void ClickButton(POINT p) {
  HWND target = ButtonWindowAt(p);
  if (!target) return;
  if (IsIconic(target)) {
    PostMessageA(target, WM_SYSCOMMAND, SC_RESTORE, 0);
  } else if (Desktop().active == target) {
    PostMessageA(target, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    SetForegroundWindow(target);
  }
}

// A right click on a window's button asks the window to show its window
// menu there; what the user chooses reaches the window as WM_SYSCOMMAND.
void RightClickButton(POINT client, POINT screen) {
  if (HWND target = ButtonWindowAt(client)) PostMessageA(target, kPopupWindowMenu, 0, MAKELPARAM(screen.x, screen.y));
}

// The tray sends the icon's callback message with the mouse message.
bool ForwardToTray(POINT screen, UINT mouseMessage) {
  for (size_t i = 0; i < TrayIcons().size(); ++i) {
    RECT r = TrayIconRect(i);
    if (!PtInRect(&r, screen)) continue;
    const TrayIcon& icon = TrayIcons()[i];
    if (icon.callback && IsWindow(icon.owner)) {
      PostMessageA(icon.owner, icon.callback, icon.id, static_cast<LPARAM>(mouseMessage));
    }
    return true;
  }
  return false;
}

LRESULT CALLBACK TaskbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
      POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      POINT screen = client;
      ClientToScreen(hwnd, &screen);
      if (ForwardToTray(screen, msg)) return 0;
      if (msg == WM_LBUTTONUP) ClickButton(client);
      if (msg == WM_RBUTTONUP) RightClickButton(client, screen);
      return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

nlohmann::json TaskbarJson() {
  nlohmann::json list = nlohmann::json::array();
  std::vector<Window*> buttons = ButtonWindows();
  RECT strip = StripRect();
  for (size_t i = 0; i < buttons.size(); ++i) {
    RECT r = ButtonRect(i);
    OffsetRect(&r, strip.left, strip.top);
    list.push_back({{"window", reinterpret_cast<uintptr_t>(buttons[i]->handle)},
                    {"title", AnsiToUtf8(buttons[i]->text)},
                    {"rect", {r.left, r.top, r.right, r.bottom}}});
  }
  return list;
}

nlohmann::json TrayJson() {
  nlohmann::json list = nlohmann::json::array();
  for (size_t i = 0; i < TrayIcons().size(); ++i) {
    const TrayIcon& icon = TrayIcons()[i];
    RECT r = TrayIconRect(i);
    list.push_back({{"owner", reinterpret_cast<uintptr_t>(icon.owner)},
                    {"id", icon.id},
                    {"tip", AnsiToUtf8(icon.tip)},
                    {"callback", icon.callback},
                    {"rect", {r.left, r.top, r.right, r.bottom}}});
  }
  return list;
}

bool TrayClick(const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[1] != "left" && args[1] != "right")) return false;
  UINT id = static_cast<UINT>(std::strtoul(args[0].c_str(), nullptr, 10));
  for (size_t i = 0; i < TrayIcons().size(); ++i) {
    if (TrayIcons()[i].id != id) continue;
    RECT r = TrayIconRect(i);
    std::string at = std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2);
    return RunScriptLine((args[1] == "left" ? "click " : "rclick ") + at);
  }
  return true;  // no such icon: the click lands on an empty tray
}

[[maybe_unused]] const bool g_registered = [] {
  RegisterDumpSection("taskbar", TaskbarJson);
  RegisterDumpSection("tray", TrayJson);
  RegisterScriptAction("tray-click", TrayClick);
  return true;
}();

}  // namespace

std::vector<TrayIcon>& TrayIcons() {
  static auto* icons = new std::vector<TrayIcon>();
  return *icons;
}

RECT TrayIconRect(size_t index) {
  RECT strip = StripRect();
  int right = strip.right - kMargin - static_cast<int>(index) * kTraySlot;
  return {right - kTraySlot, strip.top + kMargin, right, strip.bottom - kMargin};
}

HWND EnsureTaskbar() {
  if (g_taskbar && IsWindow(g_taskbar)) return g_taskbar;
  RECT strip = StripRect();
  if (strip.bottom <= strip.top) return nullptr;
  WNDCLASSA cls{};
  if (!GetClassInfoA(nullptr, kClass, &cls)) {
    cls.lpfnWndProc = TaskbarProc;
    cls.lpszClassName = kClass;
    RegisterClassA(&cls);
  }
  g_taskbar = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, "", WS_POPUP, strip.left, strip.top,
                              strip.right - strip.left, strip.bottom - strip.top, nullptr, nullptr, nullptr, nullptr);
  if (g_taskbar) {
    // The taskbar has been there all along: below the topmost windows
    // (menus) that are already open, above everything else.
    HWND below = HWND_TOPMOST;
    for (HWND h : TopLevelZOrder()) {
      Window* w = FindWindowObject(h);
      if (h != g_taskbar && w && (w->exStyle & WS_EX_TOPMOST)) below = h;
    }
    SetWindowPos(g_taskbar, below, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  return g_taskbar;
}

void RefreshTaskbar() {
  HWND taskbar = EnsureTaskbar();
  if (!taskbar) return;
  InvalidateRect(taskbar, nullptr, TRUE);
  UpdateWindow(taskbar);
}

}  // namespace winsim

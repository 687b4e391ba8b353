// Popup menus and each window's window menu. A menu is a list of items kept
// by handle; TrackPopupMenu shows one in a modal loop (MenuTracking.cpp).
#include "Menus.h"

#include <map>
#include <memory>

#include "Unsupported.h"
#include "WinBase.h"
#include "Window.h"

namespace winsim {

namespace {

constexpr DWORD kErrorInvalidMenuHandle = 1401;
constexpr DWORD kErrorPopupAlreadyActive = 1446;
constexpr UINT kSupportedItemFlags = MF_STRING | MF_SEPARATOR;
constexpr UINT kSupportedTrackFlags = TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD;

// A window's menu stays with the window object it was made for; a handle
// that comes back for a new window after a reset gets a fresh menu.
struct WindowMenu {
  HMENU menu = nullptr;
  const Window* window = nullptr;
};

struct MenuTable {
  std::map<uintptr_t, std::unique_ptr<Menu>> menus;
  std::map<HWND, WindowMenu> windowMenus;
  uintptr_t next = 0x60000;
};

MenuTable& Table() {
  static auto* table = new MenuTable();
  return *table;
}

HMENU AddMenu() {
  MenuTable& t = Table();
  t.next += 4;
  t.menus[t.next] = std::make_unique<Menu>();
  return reinterpret_cast<HMENU>(t.next);
}

void RemoveMenu(HMENU hmenu) { Table().menus.erase(reinterpret_cast<uintptr_t>(hmenu)); }

HMENU MakeWindowMenu() {
  HMENU hmenu = AddMenu();
  Menu* menu = FindMenu(hmenu);
  menu->items = {{MF_STRING, SC_RESTORE, "&Restore"},      {MF_STRING, SC_MOVE, "&Move"},
                 {MF_STRING, SC_SIZE, "&Size"},            {MF_STRING, SC_MINIMIZE, "Mi&nimize"},
                 {MF_STRING, SC_MAXIMIZE, "Ma&ximize"},    {MF_SEPARATOR, 0, ""},
                 {MF_STRING, SC_CLOSE, "&Close\tAlt+F4"}};
  menu->windowMenu = true;
  return hmenu;
}

// What the system greys in a window menu that it shows itself.
bool AppliesNow(UINT command, DWORD style) {
  const bool minimized = (style & WS_MINIMIZE) != 0;
  const bool maximized = (style & WS_MAXIMIZE) != 0;
  switch (command) {
    case SC_RESTORE: return minimized || maximized;
    case SC_MOVE: return !minimized && !maximized;
    case SC_SIZE: return !minimized && !maximized && (style & WS_THICKFRAME);
    case SC_MINIMIZE: return !minimized && (style & WS_MINIMIZEBOX);
    case SC_MAXIMIZE: return !maximized && (style & WS_MAXIMIZEBOX);
    default: return true;
  }
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

Menu* FindMenu(HMENU hmenu) {
  auto it = Table().menus.find(reinterpret_cast<uintptr_t>(hmenu));
  return it == Table().menus.end() ? nullptr : it->second.get();
}

void TrackWindowMenu(HWND hwnd, POINT at) {
  HMENU handle = GetSystemMenu(hwnd, FALSE);
  const Menu* menu = FindMenu(handle);
  if (!menu || IsTrackingMenu()) return;
  Menu shown = *menu;
  const DWORD style = FindWindowObject(hwnd)->style;
  for (MenuItem& item : shown.items) {
    if (!item.separator() && !AppliesNow(item.id, style)) item.flags |= MF_GRAYED;
  }
  UINT chosen = TrackMenu(handle, shown, TPM_RIGHTBUTTON | TPM_RETURNCMD, at, hwnd);
  if (chosen && IsWindow(hwnd)) PostMessageA(hwnd, WM_SYSCOMMAND, chosen, MAKELPARAM(at.x, at.y));
}

}  // namespace winsim

using namespace winsim;

extern "C" HMENU WINAPI CreatePopupMenu(void) { return AddMenu(); }

extern "C" BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  Menu* menu = FindMenu(hMenu);
  if (!menu) return Fail(kErrorInvalidMenuHandle);
  if (uFlags & ~kSupportedItemFlags) {
    WINSIM_UNSUPPORTED("menu items other than strings and separators");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  MenuItem item;
  item.flags = uFlags;
  item.id = static_cast<UINT>(uIDNewItem);
  if (!(uFlags & MF_SEPARATOR) && lpNewItem) item.text = lpNewItem;
  menu->items.push_back(std::move(item));
  return TRUE;
}

extern "C" BOOL WINAPI DestroyMenu(HMENU hMenu) {
  if (!FindMenu(hMenu)) return Fail(kErrorInvalidMenuHandle);
  RemoveMenu(hMenu);
  return TRUE;
}

extern "C" BOOL WINAPI IsMenu(HMENU hMenu) { return FindMenu(hMenu) ? TRUE : FALSE; }

extern "C" int WINAPI GetMenuItemCount(HMENU hMenu) {
  Menu* menu = FindMenu(hMenu);
  if (!menu) {
    SetLastError(kErrorInvalidMenuHandle);
    return -1;
  }
  return static_cast<int>(menu->items.size());
}

extern "C" UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
  Menu* menu = FindMenu(hMenu);
  if (!menu || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size()) return static_cast<UINT>(-1);
  return menu->items[static_cast<size_t>(nPos)].id;
}

// Without TPM_RETURNCMD the choice reaches the owner as a posted WM_COMMAND
// (lParam 0), after the call has returned; the call itself reports success.
extern "C" BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  Menu* menu = FindMenu(hMenu);
  if (!menu) return Fail(kErrorInvalidMenuHandle);
  if (!IsWindow(hWnd)) return Fail(ERROR_INVALID_WINDOW_HANDLE);
  if (uFlags & ~kSupportedTrackFlags) {
    WINSIM_UNSUPPORTED("popup menu alignments, animations and button modes");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (IsTrackingMenu()) return Fail(kErrorPopupAlreadyActive);
  // The loop works on a copy: the owner may change or destroy the menu meanwhile.
  const Menu shown = *menu;
  UINT chosen = TrackMenu(hMenu, shown, uFlags, POINT{x, y}, hWnd);
  if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && IsWindow(hWnd)) PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  return TRUE;
}

extern "C" HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
  const Window* window = FindWindowObject(hWnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  MenuTable& t = Table();
  auto it = t.windowMenus.find(hWnd);
  if (it != t.windowMenus.end() && (bRevert || it->second.window != window)) {
    RemoveMenu(it->second.menu);
    t.windowMenus.erase(it);
    it = t.windowMenus.end();
  }
  if (bRevert) return nullptr;
  if (it == t.windowMenus.end()) it = t.windowMenus.emplace(hWnd, WindowMenu{MakeWindowMenu(), window}).first;
  return it->second.menu;
}

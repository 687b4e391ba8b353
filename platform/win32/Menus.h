// Menus of the stand-in: the popup menus a program builds and the window
// menu each window has, and the one popup menu that can be open at a time.
#pragma once

#include <string>
#include <vector>

#include "WinUser.h"

namespace winsim {

struct MenuItem {
  UINT flags = MF_STRING;  // MF_STRING or MF_SEPARATOR, MF_GRAYED where it cannot be chosen
  UINT id = 0;
  std::string text;  // ANSI code page, as appended
  bool separator() const { return (flags & MF_SEPARATOR) != 0; }
  bool grayed() const { return (flags & MF_GRAYED) != 0; }
};

struct Menu {
  std::vector<MenuItem> items;
  bool windowMenu = false;  // a window's own menu (GetSystemMenu)
};

Menu* FindMenu(HMENU hmenu);

// Runs the modal loop of a popup menu shown at (x, y) for `owner`; returns
// the chosen item's id, 0 when the menu was dismissed.
UINT TrackMenu(HMENU handle, const Menu& menu, UINT flags, POINT at, HWND owner);
bool IsTrackingMenu();

// The shell's request that a window show its window menu at a point
// (lParam, screen coordinates), as a right click on its taskbar button makes.
constexpr UINT kPopupWindowMenu = 0x0313;
// Shows the window menu as the system does, with the items that do not
// apply in the window's state greyed; the choice is posted to the window as
// WM_SYSCOMMAND.
void TrackWindowMenu(HWND hwnd, POINT at);

}  // namespace winsim

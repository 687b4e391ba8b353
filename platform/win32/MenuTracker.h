// The modal loop of one popup menu and the window that shows it. The menu
// is a top-level window of its own above all others; it captures the mouse,
// so a click anywhere reaches the loop: on an item it chooses, outside the
// menu it dismisses. Escape dismisses too.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Menus.h"

namespace winsim {

// Posted to the menu's window by script actions; wParam is the item's position.
constexpr UINT kMenuChooseItem = WM_USER + 0x100;
constexpr UINT kMenuDismiss = WM_USER + 0x101;

class MenuTracker {
 public:
  MenuTracker(HMENU handle, const Menu& menu, UINT flags, HWND owner)
      : m_handle(handle), m_menu(menu), m_flags(flags), m_owner(owner) {}
  ~MenuTracker();
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  // The menu being tracked now, or null.
  static MenuTracker* Current() { return s_current; }

  // Shows the menu at the point and returns the chosen id, 0 for none.
  UINT Run(POINT at);
  void Paint(HDC hdc) const;
  HWND Window() const { return m_window; }
  // The items with their texts (UTF-8) and screen rectangles.
  nlohmann::json Items() const;
  // The item with this text as written or as read ("Close" finds "&Close\tAlt+F4"); -1 for none.
  int FindItem(const std::string& utf8) const;
  // The item with this command id; -1 for none.
  int FindItem(UINT id) const;
  // Whether a person can choose the item (not a separator, not greyed).
  bool Choosable(int index) const;

 private:
  SIZE Layout();
  POINT Placed(POINT at, SIZE size) const;
  bool Open(POINT at);
  void Notify(UINT message, WPARAM wParam, LPARAM lParam = 0) const;
  void Take(const MSG& msg);
  void TakeMouse(const MSG& msg);
  void TakeKey(const MSG& msg);
  int ItemAt(POINT screen) const;
  void SetHot(int index);
  void MoveHot(int step);
  void End(int chosen);

  static MenuTracker* s_current;

  HMENU m_handle;
  const Menu& m_menu;
  UINT m_flags;
  HWND m_owner;
  HWND m_window = nullptr;
  HFONT m_font = nullptr;
  std::vector<RECT> m_itemRects;  // client coordinates
  int m_hot = -1;
  bool m_done = false;
  UINT m_chosen = 0;
};

}  // namespace winsim

// Popup menus in scripts and dumps: "menu TEXT" (or "menu #ID") chooses an
// item of the open menu, "menu-cancel" dismisses it, and the dump's "menu"
// lists its items.
#include <cstdlib>
#include <sstream>

#include "MenuTracker.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

std::string Joined(const std::vector<std::string>& words) {
  std::ostringstream out;
  for (size_t i = 0; i < words.size(); ++i) out << (i ? " " : "") << words[i];
  return out.str();
}

// "#61728" names an item by its command id.
int FindByTextOrId(const MenuTracker& menu, const std::string& words) {
  if (words.size() > 1 && words[0] == '#') {
    char* end = nullptr;
    const unsigned long id = std::strtoul(words.c_str() + 1, &end, 10);
    return *end ? -1 : menu.FindItem(static_cast<UINT>(id));
  }
  return menu.FindItem(words);
}

// Only what a person could click is chosen: a greyed item is a broken script.
bool Choose(const std::vector<std::string>& words) {
  MenuTracker* menu = MenuTracker::Current();
  if (!menu || words.empty()) return false;
  const int index = FindByTextOrId(*menu, Joined(words));
  if (!menu->Choosable(index)) return false;
  return PostMessageA(menu->Window(), kMenuChooseItem, static_cast<WPARAM>(index), 0) != FALSE;
}

bool Dismiss(const std::vector<std::string>& words) {
  if (!MenuTracker::Current() || !words.empty()) return false;
  return PostMessageA(MenuTracker::Current()->Window(), kMenuDismiss, 0, 0) != FALSE;
}

const bool g_registered = [] {
  RegisterScriptAction("menu", Choose);
  RegisterScriptAction("menu-cancel", Dismiss);
  RegisterDumpSection("menu", [] {
    MenuTracker* open = MenuTracker::Current();
    return open ? open->Items() : nlohmann::json(nullptr);
  });
  return true;
}();

}  // namespace

UINT TrackMenu(HMENU handle, const Menu& menu, UINT flags, POINT at, HWND owner) {
  MenuTracker tracker(handle, menu, flags, owner);
  return tracker.Run(at);
}

bool IsTrackingMenu() { return MenuTracker::Current() != nullptr; }

}  // namespace winsim

// Popup menus in scripts and dumps: "menu TEXT" chooses an item of the open
// menu, "menu-cancel" dismisses it, and the dump's "menu" lists its items.
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

bool ChooseByText(const std::vector<std::string>& words) {
  if (!MenuTracker::Current() || words.empty()) return false;
  const int index = MenuTracker::Current()->FindItem(Joined(words));
  if (index < 0) return false;
  return PostMessageA(MenuTracker::Current()->Window(), kMenuChooseItem, static_cast<WPARAM>(index), 0) != FALSE;
}

bool Dismiss(const std::vector<std::string>& words) {
  if (!MenuTracker::Current() || !words.empty()) return false;
  return PostMessageA(MenuTracker::Current()->Window(), kMenuDismiss, 0, 0) != FALSE;
}

const bool g_registered = [] {
  RegisterScriptAction("menu", ChooseByText);
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

// Hot keys: a registered key reaches its window wherever the focus is, also
// while that window is hidden.
#include <algorithm>
#include <vector>

#include "WinBase.h"
#include "Window.h"
#include "desktop/Desktop.h"

namespace {

struct HotKey {
  HWND owner;
  int id;
  UINT modifiers;
  UINT vk;
};

std::vector<HotKey>& HotKeys() {
  static auto* keys = new std::vector<HotKey>();
  return *keys;
}

// Keys come from the desktop without modifiers, so only hot keys without
// modifiers can be pressed here.
bool Intercept(UINT vk) {
  for (const HotKey& k : HotKeys()) {
    if (k.vk != vk || (k.modifiers & ~static_cast<UINT>(MOD_NOREPEAT)) != 0 || !IsWindow(k.owner)) continue;
    PostMessageA(k.owner, WM_HOTKEY, static_cast<WPARAM>(k.id), MAKELPARAM(k.modifiers & ~MOD_NOREPEAT, vk));
    return true;
  }
  return false;
}

nlohmann::json HotKeysJson() {
  nlohmann::json list = nlohmann::json::array();
  for (const HotKey& k : HotKeys()) {
    list.push_back({{"owner", reinterpret_cast<uintptr_t>(k.owner)}, {"id", k.id}, {"modifiers", k.modifiers}, {"vk", k.vk}});
  }
  return list;
}

[[maybe_unused]] const bool g_registered = [] {
  winsim::RegisterDumpSection("hotkeys", HotKeysJson);
  winsim::SetKeyInterceptor(Intercept);
  return true;
}();

}  // namespace

extern "C" BOOL WINAPI RegisterHotKey(HWND hWnd, int id, UINT fsModifiers, UINT vk) {
  winsim::Window* w = winsim::FindWindowObject(hWnd);
  if (hWnd && !w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto& keys = HotKeys();
  UINT mods = fsModifiers & ~static_cast<UINT>(MOD_NOREPEAT);
  bool taken = std::any_of(keys.begin(), keys.end(), [&](const HotKey& k) {
    return k.vk == vk && (k.modifiers & ~static_cast<UINT>(MOD_NOREPEAT)) == mods && IsWindow(k.owner);
  });
  bool sameId = std::any_of(keys.begin(), keys.end(), [&](const HotKey& k) { return k.owner == hWnd && k.id == id; });
  if (taken || sameId) {
    SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
    return FALSE;
  }
  keys.push_back(HotKey{hWnd, id, fsModifiers, vk});
  return TRUE;
}

extern "C" BOOL WINAPI UnregisterHotKey(HWND hWnd, int id) {
  auto& keys = HotKeys();
  auto it = std::find_if(keys.begin(), keys.end(), [&](const HotKey& k) { return k.owner == hWnd && k.id == id; });
  if (it == keys.end()) return FALSE;
  keys.erase(it);
  return TRUE;
}

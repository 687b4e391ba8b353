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

UINT HeldModifiers() {
  auto held = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
  return (held(VK_MENU) ? MOD_ALT : 0u) | (held(VK_CONTROL) ? MOD_CONTROL : 0u) | (held(VK_SHIFT) ? MOD_SHIFT : 0u);
}

// A hot key fires when its key goes down with exactly its modifiers held.
bool Intercept(UINT vk) {
  const UINT held = HeldModifiers();
  for (const HotKey& k : HotKeys()) {
    if (k.vk != vk || (k.modifiers & ~static_cast<UINT>(MOD_NOREPEAT)) != held || !IsWindow(k.owner)) continue;
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

#include "Hooks.h"

#include <algorithm>
#include <vector>

#include "Unsupported.h"
#include "WinBase.h"

namespace winsim {

namespace {

struct Hook {
  HHOOK handle;
  int kind;
  HOOKPROC proc;
};

std::vector<Hook>& Hooks() {
  static std::vector<Hook>* hooks = new std::vector<Hook>();
  return *hooks;
}

uintptr_t g_nextHook = 0x20000;

// The hook chain is walked newest first; CallNextHookEx continues from the
// hook it is given.
LRESULT CallFrom(size_t index, int code, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Hooks();
  for (size_t i = index; i < hooks.size(); ++i) {
    if (hooks[i].kind == WH_CBT) return hooks[i].proc(code, wParam, lParam);
  }
  return 0;
}

}  // namespace

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) { return CallFrom(0, code, wParam, lParam); }

void ResetHooks() { Hooks().clear(); }

}  // namespace winsim

using namespace winsim;

extern "C" HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD) {
  if (idHook != WH_CBT) {
    WINSIM_UNSUPPORTED("hook kind other than WH_CBT");
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HHOOK handle = reinterpret_cast<HHOOK>(g_nextHook += 4);
  Hooks().insert(Hooks().begin(), Hook{handle, idHook, lpfn});
  return handle;
}

extern "C" BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  auto& hooks = Hooks();
  auto it = std::find_if(hooks.begin(), hooks.end(), [hhk](const Hook& h) { return h.handle == hhk; });
  if (it == hooks.end()) return FALSE;
  hooks.erase(it);
  return TRUE;
}

extern "C" LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Hooks();
  auto it = std::find_if(hooks.begin(), hooks.end(), [hhk](const Hook& h) { return h.handle == hhk; });
  if (it == hooks.end()) return 0;
  return CallFrom(static_cast<size_t>(it - hooks.begin()) + 1, nCode, wParam, lParam);
}

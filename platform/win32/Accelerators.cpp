// Accelerator tables from RT_ACCELERATOR resources.
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "Unsupported.h"
#include "WinBase.h"
#include "WinUser.h"

namespace {

struct Table {
  std::vector<ACCEL> entries;
};

std::map<uintptr_t, std::unique_ptr<Table>>& Tables() {
  static auto* tables = new std::map<uintptr_t, std::unique_ptr<Table>>();
  return *tables;
}

// Resource entries are 8 bytes: flags, key, command, padding; the last
// entry's flags carry 0x80.
std::unique_ptr<Table> ReadTable(const unsigned char* data, DWORD size) {
  auto table = std::make_unique<Table>();
  for (DWORD offset = 0; offset + 8 <= size; offset += 8) {
    WORD flags, key, cmd;
    std::memcpy(&flags, data + offset, 2);
    std::memcpy(&key, data + offset + 2, 2);
    std::memcpy(&cmd, data + offset + 4, 2);
    table->entries.push_back(ACCEL{static_cast<BYTE>(flags & 0x7F), key, cmd});
    if (flags & 0x80) break;
  }
  return table;
}

bool ModifiersMatch(BYTE flags) {
  auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
  return down(VK_SHIFT) == ((flags & FSHIFT) != 0) && down(VK_CONTROL) == ((flags & FCONTROL) != 0) &&
         down(VK_MENU) == ((flags & FALT) != 0);
}

}  // namespace

extern "C" HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
  HRSRC res = FindResourceA(hInstance, lpTableName, RT_ACCELERATOR);
  if (!res) return nullptr;
  auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(hInstance, res)));
  static uintptr_t next = 0x40000;
  uintptr_t key = next += 4;
  Tables()[key] = ReadTable(data, SizeofResource(hInstance, res));
  return reinterpret_cast<HACCEL>(key);
}

extern "C" int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  auto it = Tables().find(reinterpret_cast<uintptr_t>(hAccTable));
  if (it == Tables().end() || !lpMsg || !IsWindow(hWnd)) return 0;
  if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) return 0;
  for (const ACCEL& a : it->second->entries) {
    if (!(a.fVirt & FVIRTKEY)) {
      WINSIM_UNSUPPORTED("character accelerators");
      continue;
    }
    if (a.key != lpMsg->wParam || !ModifiersMatch(a.fVirt)) continue;
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}

extern "C" BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) {
  return Tables().erase(reinterpret_cast<uintptr_t>(hAccel)) ? TRUE : FALSE;
}

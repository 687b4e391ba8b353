#include "Icons.h"

#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "Unsupported.h"
#include "WinBase.h"
#include "WinUser.h"

namespace winsim {

namespace {

struct IconRegistry {
  std::map<uintptr_t, std::unique_ptr<IconObject>> icons;
  std::map<std::pair<HMODULE, uintptr_t>, HICON> byResource;
  uintptr_t next = 0x30000;
};

IconRegistry& Icons() {
  static IconRegistry* registry = new IconRegistry();
  return *registry;
}

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

std::unique_ptr<IconObject> ReadGroup(HMODULE module, const unsigned char* group, DWORD size) {
  if (size < sizeof(GroupIconHeader)) return nullptr;
  GroupIconHeader header;
  std::memcpy(&header, group, sizeof header);
  if (header.type != 1 || size < sizeof header + header.count * sizeof(GroupIconEntry)) return nullptr;
  auto icon = std::make_unique<IconObject>();
  for (WORD i = 0; i < header.count; ++i) {
    GroupIconEntry e;
    std::memcpy(&e, group + sizeof header + i * sizeof e, sizeof e);
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(e.id), RT_ICON);
    if (!res) continue;
    IconImage image;
    image.width = e.width ? e.width : 256;
    image.height = e.height ? e.height : 256;
    image.bitCount = e.bitCount;
    image.data = static_cast<const unsigned char*>(LockResource(LoadResource(module, res)));
    image.size = SizeofResource(module, res);
    icon->images.push_back(image);
  }
  if (icon->images.empty()) return nullptr;
  return icon;
}

HICON Add(std::unique_ptr<IconObject> icon) {
  uintptr_t key = Icons().next += 4;
  Icons().icons[key] = std::move(icon);
  return reinterpret_cast<HICON>(key);
}

}  // namespace

IconObject* FindIcon(HICON icon) {
  auto it = Icons().icons.find(reinterpret_cast<uintptr_t>(icon));
  return it == Icons().icons.end() ? nullptr : it->second.get();
}

}  // namespace winsim

using namespace winsim;

extern "C" HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  if (!hInstance) {
    WINSIM_UNSUPPORTED("system icons");
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  HRSRC res = FindResourceA(hInstance, lpIconName, RT_GROUP_ICON);
  if (!res) return nullptr;
  auto key = std::make_pair(static_cast<HMODULE>(hInstance), reinterpret_cast<uintptr_t>(res));
  auto found = Icons().byResource.find(key);
  if (found != Icons().byResource.end()) return found->second;
  auto icon = ReadGroup(hInstance, static_cast<const unsigned char*>(LockResource(LoadResource(hInstance, res))),
                        SizeofResource(hInstance, res));
  if (!icon) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  HICON handle = Add(std::move(icon));
  Icons().byResource[key] = handle;
  return handle;
}

extern "C" BOOL WINAPI DestroyIcon(HICON hIcon) {
  IconObject* icon = FindIcon(hIcon);
  if (!icon) return FALSE;
  if (!icon->shared) Icons().icons.erase(reinterpret_cast<uintptr_t>(hIcon));
  return TRUE;
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  if (hInstance || lpCursorName != IDC_ARROW) {
    WINSIM_UNSUPPORTED("cursors other than the standard arrow");
    return nullptr;
  }
  // The desktop draws no cursor; the arrow only needs to be a valid handle.
  return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x2FFF0));
}

extern "C" HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  static HCURSOR current = nullptr;
  HCURSOR old = current;
  current = hCursor;
  return old;
}

#include "ole/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "win32/WinBase.h"

namespace {

struct Block {
  void* data = nullptr;
  SIZE_T size = 0;
  bool moveable = false;
  UINT locks = 0;
};

// Keyed by handle: the data pointer for fixed blocks, a token for movable
// ones. Blocks stay reachable from here until freed.
std::map<uintptr_t, Block>& Blocks() {
  static auto* blocks = new std::map<uintptr_t, Block>();
  return *blocks;
}

uintptr_t g_nextToken = 0x40000000;

Block* Find(HGLOBAL h) {
  auto it = Blocks().find(reinterpret_cast<uintptr_t>(h));
  return it == Blocks().end() ? nullptr : &it->second;
}

void* Allocate(SIZE_T bytes, UINT flags) {
  // At least one byte, so that every block has an address of its own.
  void* data = (flags & GMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  return data;
}

}  // namespace

extern "C" HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  if (uFlags & ~static_cast<UINT>(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* data = Allocate(dwBytes, uFlags);
  if (!data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const bool moveable = (uFlags & GMEM_MOVEABLE) != 0;
  const uintptr_t handle = moveable ? (g_nextToken += 8) : reinterpret_cast<uintptr_t>(data);
  Blocks()[handle] = Block{data, dwBytes, moveable, 0};
  return reinterpret_cast<HGLOBAL>(handle);
}

extern "C" HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
  Block* b = Find(hMem);
  if (!b) return nullptr;
  // Only movable blocks may move, and only while unlocked.
  if (!b->moveable || b->locks) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* data = std::realloc(b->data, dwBytes ? dwBytes : 1);
  if (!data) return nullptr;
  if ((uFlags & GMEM_ZEROINIT) && dwBytes > b->size) std::memset(static_cast<char*>(data) + b->size, 0, dwBytes - b->size);
  b->data = data;
  b->size = dwBytes;
  return hMem;
}

extern "C" LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
  Block* b = Find(hMem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (b->moveable) ++b->locks;
  return b->data;
}

extern "C" BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
  Block* b = Find(hMem);
  if (!b || !b->moveable || b->locks == 0) {
    SetLastError(b ? NO_ERROR : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // Nonzero while the block is still locked.
  return --b->locks > 0;
}

extern "C" HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
  auto it = Blocks().find(reinterpret_cast<uintptr_t>(hMem));
  if (it == Blocks().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  std::free(it->second.data);
  Blocks().erase(it);
  return nullptr;
}

extern "C" SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
  Block* b = Find(hMem);
  return b ? b->size : 0;
}

extern "C" UINT WINAPI GlobalFlags(HGLOBAL hMem) {
  Block* b = Find(hMem);
  return b ? b->locks & 0xFF : 0x8000;  // GMEM_INVALID_HANDLE
}

namespace winsim {

size_t LiveGlobalBlockCount() { return Blocks().size(); }

}  // namespace winsim

// FindResourceA and friends over the module's resource table.
#include <dlfcn.h>

#include <cctype>
#include <cstring>
#include <string>

#include "ResourceTable.h"
#include "WinBase.h"

namespace {

std::string Upper(const char* s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool NameMatches(const char* entryName, uint16_t entryId, LPCSTR wanted) {
  if (IS_INTRESOURCE(wanted)) return !entryName && entryId == static_cast<uint16_t>(reinterpret_cast<uintptr_t>(wanted));
  // "#123" names the integer resource 123.
  if (wanted[0] == '#') return !entryName && entryId == static_cast<uint16_t>(std::atoi(wanted + 1));
  return entryName && Upper(wanted) == entryName;
}

const WinsimResourceTable* TableOf(HMODULE module) { return winsim::ResourceTableOf(module); }

const WinsimResourceEntry* EntryOf(HRSRC resource) { return reinterpret_cast<const WinsimResourceEntry*>(resource); }

}  // namespace

const WinsimResourceTable* winsim::ResourceTableOf(HMODULE module) {
  void* handle = module ? reinterpret_cast<void*>(module) : reinterpret_cast<void*>(GetModuleHandleA(nullptr));
  return static_cast<const WinsimResourceTable*>(dlsym(handle, WINSIM_RESOURCE_SYMBOL));
}

extern "C" HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  const WinsimResourceTable* table = TableOf(hModule);
  if (!table || !lpName || !lpType) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  bool typeSeen = false;
  for (uint32_t i = 0; i < table->count; ++i) {
    const WinsimResourceEntry& e = table->entries[i];
    if (!NameMatches(e.typeName, e.typeId, lpType)) continue;
    typeSeen = true;
    if (NameMatches(e.name, e.id, lpName)) return reinterpret_cast<HRSRC>(const_cast<WinsimResourceEntry*>(&e));
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  if (!hResInfo) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<HGLOBAL>(hResInfo);
}

extern "C" DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
  if (!hResInfo) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return EntryOf(hResInfo)->size;
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData) {
  if (!hResData) return nullptr;
  return const_cast<unsigned char*>(EntryOf(reinterpret_cast<HRSRC>(hResData))->data);
}

// Resources live in the module's image; there is nothing to free.
extern "C" BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

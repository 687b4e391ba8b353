// The URL cache: entries are enumerated into caller-sized buffers, and an
// enumeration goes on from where it was when entries are deleted under it.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "WinInet.h"
#include "win32/Unsupported.h"
#include "win32/WinBase.h"

namespace winsim {

namespace {

struct Entry {
  std::string url;
  DWORD type;
};

struct Enumeration {
  std::vector<std::string> urls;  // the cache as it was when the walk began
  size_t next = 0;
};

struct Cache {
  std::mutex mutex;
  std::vector<Entry> entries;
  std::map<uintptr_t, std::unique_ptr<Enumeration>> walks;
  uintptr_t nextHandle = 0x50000;
};

Cache& C() {
  static auto* cache = new Cache();
  return *cache;
}

const Entry* FindEntry(const std::string& url) {
  auto& e = C().entries;
  auto it = std::find_if(e.begin(), e.end(), [&](const Entry& x) { return x.url == url; });
  return it == e.end() ? nullptr : &*it;
}

// The next entry of the walk that still exists, without moving past it.
const Entry* Peek(Enumeration& walk) {
  while (walk.next < walk.urls.size()) {
    if (const Entry* e = FindEntry(walk.urls[walk.next])) return e;
    ++walk.next;
  }
  return nullptr;
}

DWORD RequiredSize(const Entry& e) { return static_cast<DWORD>(sizeof(INTERNET_CACHE_ENTRY_INFOA) + e.url.size() + 1); }

// Fills the record with the URL stored right after it; false (with the size
// needed) when the buffer is too small.
bool Fill(const Entry& e, LPINTERNET_CACHE_ENTRY_INFOA out, LPDWORD size) {
  DWORD needed = RequiredSize(e);
  if (!out || *size < needed) {
    *size = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  std::memset(out, 0, sizeof *out);
  out->dwStructSize = sizeof *out;
  char* url = reinterpret_cast<char*>(out + 1);
  std::memcpy(url, e.url.c_str(), e.url.size() + 1);
  out->lpszSourceUrlName = url;
  out->CacheEntryType = e.type;
  *size = needed;
  return true;
}

}  // namespace

void AddUrlCacheEntry(const std::string& url, DWORD type) {
  std::lock_guard<std::mutex> lock(C().mutex);
  if (!FindEntry(url)) C().entries.push_back(Entry{url, type});
}

std::vector<std::string> UrlCacheEntries() {
  std::lock_guard<std::mutex> lock(C().mutex);
  std::vector<std::string> urls;
  for (const Entry& e : C().entries) urls.push_back(e.url);
  return urls;
}

void ClearUrlCache() {
  std::lock_guard<std::mutex> lock(C().mutex);
  C().entries.clear();
  C().walks.clear();
}

}  // namespace winsim

using namespace winsim;

extern "C" HANDLE WINAPI FindFirstUrlCacheEntryA(LPCSTR lpszUrlSearchPattern,
                                                 LPINTERNET_CACHE_ENTRY_INFOA lpFirstCacheEntryInfo,
                                                 LPDWORD lpcbCacheEntryInfo) {
  if (lpszUrlSearchPattern) WINSIM_UNSUPPORTED("search patterns");
  if (!lpcbCacheEntryInfo) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(C().mutex);
  auto walk = std::make_unique<Enumeration>();
  for (const Entry& e : C().entries) walk->urls.push_back(e.url);
  const Entry* first = Peek(*walk);
  if (!first) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return nullptr;
  }
  if (!Fill(*first, lpFirstCacheEntryInfo, lpcbCacheEntryInfo)) return nullptr;
  ++walk->next;
  uintptr_t key = C().nextHandle += 4;
  C().walks[key] = std::move(walk);
  return reinterpret_cast<HANDLE>(key);
}

extern "C" BOOL WINAPI FindNextUrlCacheEntryA(HANDLE hEnumHandle, LPINTERNET_CACHE_ENTRY_INFOA lpNextCacheEntryInfo,
                                              LPDWORD lpcbCacheEntryInfo) {
  std::lock_guard<std::mutex> lock(C().mutex);
  auto it = C().walks.find(reinterpret_cast<uintptr_t>(hEnumHandle));
  if (it == C().walks.end() || !lpcbCacheEntryInfo) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const Entry* next = Peek(*it->second);
  if (!next) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  if (!Fill(*next, lpNextCacheEntryInfo, lpcbCacheEntryInfo)) return FALSE;
  ++it->second->next;
  return TRUE;
}

extern "C" BOOL WINAPI FindCloseUrlCache(HANDLE hEnumHandle) {
  std::lock_guard<std::mutex> lock(C().mutex);
  return C().walks.erase(reinterpret_cast<uintptr_t>(hEnumHandle)) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI DeleteUrlCacheEntryA(LPCSTR lpszUrlName) {
  std::lock_guard<std::mutex> lock(C().mutex);
  auto& e = C().entries;
  auto it = std::find_if(e.begin(), e.end(), [&](const Entry& x) { return lpszUrlName && x.url == lpszUrlName; });
  if (it == e.end()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  e.erase(it);
  return TRUE;
}

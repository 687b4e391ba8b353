#include "launcher/BrowserCache.h"

#include <new>
#include <vector>

#include "framework.h"

namespace {

const char kRetainMarker[] = "cookie";

// A buffer of exactly the size WinINet asks for, for one entry record.
class EntryBuffer {
 public:
  void Resize(DWORD size) { m_bytes.assign(size, 0); }
  LPINTERNET_CACHE_ENTRY_INFOA Entry() {
    return m_bytes.empty() ? nullptr : reinterpret_cast<LPINTERNET_CACHE_ENTRY_INFOA>(m_bytes.data());
  }

 private:
  std::vector<unsigned char> m_bytes;
};

void DeleteUnlessRetained(LPINTERNET_CACHE_ENTRY_INFOA entry) {
  CString strUrl(entry->lpszSourceUrlName);
  if (strUrl.Find(kRetainMarker) == -1) DeleteUrlCacheEntry(entry->lpszSourceUrlName);
}

}  // namespace

bool ClearBrowserCache() {
  try {
    EntryBuffer buffer;
    DWORD size = 0;
    FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
    buffer.Resize(size);
    HANDLE hEnum = FindFirstUrlCacheEntryA(nullptr, buffer.Entry(), &size);
    if (!hEnum) return true;
    for (;;) {
      DeleteUnlessRetained(buffer.Entry());
      size = 0;
      FindNextUrlCacheEntryA(hEnum, nullptr, &size);
      buffer.Resize(size);
      if (!FindNextUrlCacheEntryA(hEnum, buffer.Entry(), &size)) break;
    }
    FindCloseUrlCache(hEnum);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

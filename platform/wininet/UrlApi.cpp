// InternetCanonicalizeUrlA and InternetCrackUrlA over the shared URL splitter.
#include <cstring>
#include <string>

#include "UrlParse.h"
#include "WinInet.h"
#include "win32/Unsupported.h"
#include "win32/WinBase.h"

namespace winsim {

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Hands one part of a cracked address to the caller the way its component
// asks: a null pointer with a length of 0 skips it, a null pointer with any
// other length gets a pointer into the address, a buffer gets a copy.
bool HandOver(std::string_view part, LPSTR& text, DWORD& length) {
  if (!text) {
    if (length != 0) {
      text = const_cast<LPSTR>(part.data());
      length = static_cast<DWORD>(part.size());
    }
    return true;
  }
  if (part.size() + 1 > length) {
    length = static_cast<DWORD>(part.size() + 1);
    return false;
  }
  // An absent part is an empty view without data.
  if (!part.empty()) std::memcpy(text, part.data(), part.size());
  text[part.size()] = '\0';
  length = static_cast<DWORD>(part.size());
  return true;
}

// The pointer mode points into the address itself, so parts are views of it.
BOOL HandOverAll(const UrlParts& parts, URL_COMPONENTSA& c) {
  bool ok = HandOver(parts.scheme, c.lpszScheme, c.dwSchemeLength);
  ok = HandOver(parts.host, c.lpszHostName, c.dwHostNameLength) && ok;
  ok = HandOver(parts.userName, c.lpszUserName, c.dwUserNameLength) && ok;
  ok = HandOver(parts.password, c.lpszPassword, c.dwPasswordLength) && ok;
  ok = HandOver(parts.path, c.lpszUrlPath, c.dwUrlPathLength) && ok;
  ok = HandOver(parts.extra, c.lpszExtraInfo, c.dwExtraInfoLength) && ok;
  c.nScheme = parts.schemeId;
  c.nPort = parts.port;
  return ok ? TRUE : Fail(ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI InternetCanonicalizeUrlA(LPCSTR lpszUrl, LPSTR lpszBuffer, LPDWORD lpdwBufferLength,
                                                DWORD dwFlags) {
  if ((dwFlags & ~static_cast<DWORD>(ICU_BROWSER_MODE)) != 0) {
    WINSIM_UNSUPPORTED("flags other than ICU_BROWSER_MODE");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  // No size query without a buffer: a null or empty one is rejected, as
  // the platform's WinINet does.
  if (!lpszUrl || !lpszBuffer || !lpdwBufferLength || *lpdwBufferLength == 0) return Fail(ERROR_INVALID_PARAMETER);
  std::string canonical;
  if (DWORD error = CanonicalUrl(lpszUrl, (dwFlags & ICU_BROWSER_MODE) != 0, canonical)) return Fail(error);
  if (canonical.size() + 1 > *lpdwBufferLength) {
    *lpdwBufferLength = static_cast<DWORD>(canonical.size() + 1);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(lpszBuffer, canonical.c_str(), canonical.size() + 1);
  *lpdwBufferLength = static_cast<DWORD>(canonical.size());
  return TRUE;
}

extern "C" BOOL WINAPI InternetCrackUrlA(LPCSTR lpszUrl, DWORD dwUrlLength, DWORD dwFlags,
                                         LPURL_COMPONENTSA lpUrlComponents) {
  if (dwFlags != 0) {
    WINSIM_UNSUPPORTED("decoding or escaping while cracking");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (!lpszUrl || !lpUrlComponents || lpUrlComponents->dwStructSize != sizeof(URL_COMPONENTSA)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  std::string_view url(lpszUrl, dwUrlLength ? dwUrlLength : std::strlen(lpszUrl));
  UrlParts parts;
  if (DWORD error = SplitUrl(url, parts)) return Fail(error);
  return HandOverAll(parts, *lpUrlComponents);
}

// Splitting and canonicalising web addresses, shared by InternetCrackUrlA and
// InternetCanonicalizeUrlA.
#pragma once

#include <string>
#include <string_view>

#include "WinInet.h"

namespace winsim {

struct UrlParts {
  std::string_view scheme;
  INTERNET_SCHEME schemeId = INTERNET_SCHEME_UNKNOWN;
  std::string_view userName;
  std::string_view password;
  std::string_view host;
  INTERNET_PORT port = 0;  // the scheme's default when the address names none
  std::string_view path;   // from the first '/' after the host up to '?' or '#'
  std::string_view extra;  // "?..." or "#...", to the end
};

// 0 on success, or the WinINet error that the platform reports.
DWORD SplitUrl(std::string_view url, UrlParts& parts);

// 0 on success, or the WinINet error. `browserMode` leaves the text after the
// first '?' or '#' as it stands.
DWORD CanonicalUrl(std::string_view url, bool browserMode, std::string& out);

}  // namespace winsim

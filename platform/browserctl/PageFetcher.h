// Fetching a page over http through WinINet, as the control's own download
// does: one GET, the body read until it ends.
#pragma once

#include <string>

namespace winsim::browser {

struct FetchedPage {
  bool ok = false;
  std::string body;     // the bytes as they came
  std::string failure;  // why there is no page, for the error text
};

// `url` is absolute, in the ANSI code page. `reload` asks past any cache.
FetchedPage FetchPage(const std::string& url, bool reload);

}  // namespace winsim::browser

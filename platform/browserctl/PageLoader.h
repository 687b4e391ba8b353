// From an address to what the control shows: the page fetched, read as
// HTML and its links resolved; an error text when it cannot be fetched.
#pragma once

#include <string>

#include "PageView.h"

namespace winsim::browser {

// `url` is absolute, in UTF-8; "about:blank" is the empty page.
PageContent LoadPage(const std::string& url, bool reload);

}  // namespace winsim::browser

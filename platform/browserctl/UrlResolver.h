// Addresses as a browser reads them: a link is resolved against the address
// of the page that holds it.
#pragma once

#include <string>

namespace winsim::browser {

// The absolute address that `reference` names on the page at `base`. The
// fragment ("#...") is dropped: the control shows whole pages only.
std::string ResolveUrl(const std::string& base, const std::string& reference);

// Whether the address begins with a scheme ("http:", "about:").
bool IsAbsoluteUrl(const std::string& url);

// An address typed without a scheme ("host/path") means http, as in the
// platform's browser.
std::string WithScheme(const std::string& url);

}  // namespace winsim::browser

// The little of HTML the control reads: the title, and the links with their
// text. Scripts, styles and comments are passed over; entities are decoded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace winsim::browser {

struct HtmlLink {
  std::string text;  // UTF-8, blanks collapsed
  std::string href;  // as written, entities decoded
};

struct HtmlDocument {
  std::string title;  // UTF-8, blanks collapsed
  std::vector<HtmlLink> links;
};

// `html` in UTF-8.
HtmlDocument ReadHtml(std::string_view html);

}  // namespace winsim::browser

// The portal's pages, by request target ("/path?query").
#pragma once

#include <string>

namespace portal {

struct Page {
  int status = 200;
  std::string body;  // HTML, UTF-8
};

Page PageFor(const std::string& target);

}  // namespace portal

// One compiled resource: its type, its name and its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

struct ResourceName {
  std::string text;  // upper-case name, empty for an integer
  uint16_t id = 0;
};

struct Resource {
  ResourceName type;
  ResourceName name;
  std::vector<unsigned char> bytes;
};

}  // namespace rc

#include "VirtualHosts.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace winsim {

std::vector<VirtualHost> VirtualHosts() {
  std::vector<VirtualHost> hosts;
  const char* value = std::getenv("WINSIM_HOSTS");
  if (!value) return hosts;
  std::istringstream list(value);
  for (std::string entry; std::getline(list, entry, ',');) {
    if (entry.empty()) continue;
    size_t equals = entry.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == entry.size() ||
        entry.find_first_of(": ") < equals) {
      std::fprintf(stderr, "winsim: WINSIM_HOSTS entry \"%s\" is not name=ip; skipped\n", entry.c_str());
      continue;
    }
    hosts.push_back({entry.substr(0, equals), entry.substr(equals + 1)});
  }
  return hosts;
}

std::vector<std::string> ResolveEntries(const std::vector<long>& ports) {
  std::vector<std::string> entries;
  for (const VirtualHost& host : VirtualHosts()) {
    for (long port : ports) entries.push_back(host.name + ":" + std::to_string(port) + ":" + host.address);
  }
  return entries;
}

}  // namespace winsim

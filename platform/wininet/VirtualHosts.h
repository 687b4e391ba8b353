// The virtual network's host names. WINSIM_HOSTS = "name=ip[,name=ip...]"
// makes the stand-in's HTTP client resolve each name to its address instead
// of asking the system's resolver (curl's resolve list). With WINSIM_HTTP_PORT,
// which moves every host's port 80 to a port of the local machine, a demo or a
// test serves the operator's host names from a server of its own.
#pragma once

#include <string>
#include <vector>

namespace winsim {

struct VirtualHost {
  std::string name;
  std::string address;
};

// Read from the environment at each call; malformed entries are reported and skipped.
std::vector<VirtualHost> VirtualHosts();

// curl resolve entries "name:port:address" for every virtual host on each port.
std::vector<std::string> ResolveEntries(const std::vector<long>& ports);

}  // namespace winsim

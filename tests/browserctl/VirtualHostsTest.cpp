// WINSIM_HOSTS: the operator's host names reach a server of the test's own,
// through the stand-in's HTTP client, as the browser control fetches pages.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TestContainer.h"
#include "win32/Windows.h"

namespace browser_test {

namespace {

constexpr char kStartTitle[] = "Duskmere 服务器列表";
constexpr char kNoPage[] = "The page cannot be displayed";

struct HostsCase {
  const char* name;
  const char* hosts;  // null: unset
  bool mapDefaultPort;
  bool portInUrl;
  const char* expectedTitle;
};

class VirtualHosts : public BrowserTest, public ::testing::WithParamInterface<HostsCase> {
 protected:
  ~VirtualHosts() override {
    unsetenv("WINSIM_HOSTS");
    unsetenv("WINSIM_HTTP_PORT");
  }
};

}  // namespace

TEST_P(VirtualHosts, NamesResolveToTheirAddresses) {
  const HostsCase& c = GetParam();
  if (c.hosts) setenv("WINSIM_HOSTS", c.hosts, 1);
  if (c.mapDefaultPort) setenv("WINSIM_HTTP_PORT", std::to_string(s_portal->Port()).c_str(), 1);
  std::string address = "http://portal.invalid";
  if (c.portInUrl) address.append(1, ':').append(std::to_string(s_portal->Port()));
  Host();
  Navigate(address + "/quom/wd/index.html");
  Pump();
  const std::string title = Record()["title"];
  EXPECT_EQ(title, c.expectedTitle);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, VirtualHosts,
    ::testing::Values(HostsCase{"MappedOnTheDefaultPort", "portal.invalid=127.0.0.1", true, false, kStartTitle},
                      HostsCase{"MappedWithItsPort", "portal.invalid=127.0.0.1", false, true, kStartTitle},
                      HostsCase{"OneOfAList", "forum.invalid=127.0.0.2,portal.invalid=127.0.0.1", true, false, kStartTitle},
                      HostsCase{"MalformedEntrySkipped", "nonsense,portal.invalid=127.0.0.1", true, false, kStartTitle},
                      HostsCase{"AnotherNameOnly", "forum.invalid=127.0.0.1", true, false, kNoPage},
                      HostsCase{"Unset", nullptr, true, false, kNoPage}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace browser_test

// Shared fixture of the provider's suites: each test runs in a fresh
// installation folder, talks to its own loopback server through the
// network's default port, and sees no proxy.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Installation.h"
#include "LoopbackServer.h"
#include "Outcome.h"
#include "provider/Exports.h"

namespace provider_test {

// The error word holds garbage before each call: every export must set it.
inline Outcome CallExport(bool (*exported)(int*)) {
  int error = 0x5A5A;
  bool result = exported(&error);
  return {result, error};
}

class ProviderTest : public testing::Test {
 protected:
  void ServeOnDefaultPort(const LoopbackServer& server) {
    m_port.emplace("WINSIM_HTTP_PORT", std::to_string(server.Port()).c_str());
  }

  Installation m_installation;
  ScopedEnvironment m_noProxy{"http_proxy", nullptr};
  ScopedEnvironment m_timeout{"WINSIM_NET_TIMEOUT_MS", "5000"};
  std::optional<ScopedEnvironment> m_port;
};

}  // namespace provider_test

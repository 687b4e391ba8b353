// Tests of the Windows build under Wine. Each runs in a fresh installation
// folder, which is also the current folder of the host it starts.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "Installation.h"
#include "LoopbackServer.h"
#include "WineHost.h"

namespace wine_test {

class WineTest : public testing::Test {
 protected:
  // Skips the test when the Windows build or its Wine prefix is missing
  // (scripts/windows.sh test makes them).
  void SetUp() override;

  provider_test::Installation m_installation;
};

// A loopback address of its own for each server, so that tests running side
// by side never meet: 127.a.b.c, never 127.0.0.1.
std::string FreshLoopbackAddress();

// A server on the HTTP port (80) of a fresh loopback address: the provider
// always asks for the default port, and Wine's WinINet has no other way to
// send it elsewhere. Binding port 80 needs root or CAP_NET_BIND_SERVICE.
std::unique_ptr<provider_test::LoopbackServer> ServeOnHttpPort(provider_test::Answer answer);

// The file's content once it holds `lines` whole lines, or nothing after
// `limit`: processes that the provider starts run on after the host has
// ended, and write while the test reads.
std::optional<std::string> WaitForLines(const std::string& path, size_t lines,
                                        std::chrono::seconds limit = std::chrono::seconds(60));

// Places a copy of a program of the Windows build (a component, the updater).
void PlaceProgram(const char* program, const std::string& path);

}  // namespace wine_test

// A fresh virtual desktop for tests that drive the stand-in in-process:
// no windows, no script; input running out fails the test.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "desktop/Desktop.h"
#include "win32/Window.h"

// A script line "probe" keeps a dump of the desktop at that moment in
// m_probes, so a test can look at what a modal loop shows while it runs.
class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() {
    winsim::ResetDesktop();
    winsim::ResetWindowManager();
    winsim::SetScriptLines({});
    winsim::SetInputExhaustedHandler([] { throw std::runtime_error("the script ran out while a loop waited"); });
    winsim::RegisterScriptAction("probe", [this](const std::vector<std::string>&) {
      m_probes.push_back(winsim::DumpState(std::nullopt));
      return true;
    });
  }
  ~DesktopTest() override {
    winsim::RegisterScriptAction("probe", [](const std::vector<std::string>&) { return false; });
    winsim::SetInputExhaustedHandler(nullptr);
    winsim::ResetWindowManager();
  }
  void Script(std::vector<std::string> lines) { winsim::SetScriptLines(std::move(lines)); }

  std::vector<nlohmann::json> m_probes;
};

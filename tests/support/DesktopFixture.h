// A fresh virtual desktop for tests that drive the stand-in in-process:
// no windows, no script; input running out fails the test.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "desktop/Desktop.h"
#include "win32/Window.h"

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() {
    winsim::ResetDesktop();
    winsim::ResetWindowManager();
    winsim::SetScriptLines({});
    winsim::SetInputExhaustedHandler([] { throw std::runtime_error("the script ran out while a loop waited"); });
  }
  ~DesktopTest() override {
    winsim::SetInputExhaustedHandler(nullptr);
    winsim::ResetWindowManager();
  }
  void Script(std::vector<std::string> lines) { winsim::SetScriptLines(std::move(lines)); }
};

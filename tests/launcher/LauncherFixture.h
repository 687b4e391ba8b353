// A scratch installation of the launcher with the test doubles at hand.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"

class LauncherTest : public ::testing::Test {
 protected:
  LauncherTest() { testing_support::InstallProgram(m_dir.path()); }

  void InstallProvider() { testing_support::CopyFile(FAKE_PROVIDER, m_dir / "Ostrel.dll"); }
  void InstallUpdater() { testing_support::CopyFile(FAKE_UPDATER, m_dir / "Varnhold.exe"); }

  testing_support::ProgramResult Start(testing_support::ProgramRun run) {
    run.dir = m_dir.path();
    run.env["FAKE_PROVIDER_LOG"] = (m_dir / "provider.log").string();
    return testing_support::Run(run);
  }

  // The provider's calls in order, e.g. {"finish 0", "check 0"}.
  std::vector<std::string> ProviderCalls() const {
    std::istringstream in(testing_support::ReadText(m_dir / "provider.log"));
    std::vector<std::string> calls;
    for (std::string line; std::getline(in, line);) calls.push_back(line);
    return calls;
  }

  testing_support::ScratchDir m_dir;
};

// What finish needs around it: an installation with downloads beside their
// targets, and a "regsvr32.exe" on PATH that records how it was started.
#pragma once

#include <string>
#include <vector>

#include "ProviderFixture.h"

namespace provider_test {

// How one registration ran: its folder, its arguments and its command line.
struct Registration {
  std::string directory;
  std::string arguments;
  std::string commandLine;
};

class FinishTest : public ProviderTest {
 protected:
  FinishTest();
  ~FinishTest() override;
  // Waits until `count` registrations have been recorded (or a few seconds).
  std::vector<Registration> WaitForRegistrations(size_t count) const;
  std::string ToolPath() const { return m_toolDirectory + "/regsvr32.exe"; }
  // The tool as the shell names it on a command line.
  std::string QuotedToolPath() const {
    std::string quoted(1, '"');
    quoted += ToolPath();
    quoted += '"';
    return quoted;
  }

 private:
  std::string m_toolDirectory;
  std::string m_log;
  std::optional<ScopedEnvironment> m_path;
  std::optional<ScopedEnvironment> m_logVariable;
};

}  // namespace provider_test

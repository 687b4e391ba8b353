#include "FinishFixture.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "desktop/Desktop.h"

namespace provider_test {

namespace {

// Records one line per start: folder, arguments, the platform command line.
const char kRecorderScript[] =
    "#!/bin/sh\n"
    "exec 2>/dev/null\n"
    "printf '%s|%s|%s\\n' \"$(pwd)\" \"$*\" \"$WINSIM_CMDLINE\" >> \"$REGSVR_LOG\"\n";

}  // namespace

FinishTest::FinishTest() {
  winsim::ResetDesktop();
  // Outside the installation, so that no test's files can shadow it.
  m_toolDirectory = m_installation.Path() + "-tools";
  m_log = m_toolDirectory + "/registrations.log";
  WriteFile(ToolPath(), kRecorderScript);
  chmod(ToolPath().c_str(), 0755);
  const char* path = std::getenv("PATH");
  m_path.emplace("PATH", (m_toolDirectory + ":" + (path ? path : "")).c_str());
  m_logVariable.emplace("REGSVR_LOG", m_log.c_str());
}

FinishTest::~FinishTest() {
  std::error_code ignored;
  std::filesystem::remove_all(m_toolDirectory, ignored);
}

std::vector<Registration> FinishTest::WaitForRegistrations(size_t count) const {
  std::vector<Registration> found;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (true) {
    found.clear();
    std::istringstream lines(ReadFile(m_log).value_or(""));
    for (std::string line; std::getline(lines, line);) {
      size_t first = line.find('|');
      size_t second = line.find('|', first + 1);
      found.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
    }
    if (found.size() >= count || std::chrono::steady_clock::now() > deadline) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace provider_test

#include "PortalProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "ProgramRun.h"

namespace testing_support {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr char kListening[] = "listening on 127.0.0.1:";

}  // namespace

PortalProcess::PortalProcess() {
  char path[] = "/tmp/lorvane-portal-XXXXXX";
  int out = mkstemp(path);
  if (out < 0) throw std::runtime_error("cannot make the portal's output file");
  m_output = path;
  const std::string program = (BuildBin() / "lorvane_portal").string();
  m_pid = fork();
  if (m_pid == 0) {
    // A test that crashes takes its portal with it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    dup2(out, STDOUT_FILENO);
    execl(program.c_str(), program.c_str(), "0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out);
  if (m_pid < 0) throw std::runtime_error("cannot start the portal");
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (m_port == 0 && std::chrono::steady_clock::now() < deadline) {
    std::vector<std::string> lines = OutputLines();
    if (!lines.empty() && lines[0].rfind(kListening, 0) == 0) m_port = std::atoi(lines[0].c_str() + sizeof kListening - 1);
    else std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (m_port == 0) {
    Stop();
    throw std::runtime_error("the portal did not start: " + program);
  }
}

PortalProcess::~PortalProcess() { Stop(); }

void PortalProcess::Stop() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }
  if (!m_output.empty()) unlink(m_output.c_str());
  m_output.clear();
}

std::string PortalProcess::Url(const std::string& target) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + target;
}

std::vector<std::string> PortalProcess::OutputLines() const {
  std::vector<std::string> lines;
  std::ifstream in(m_output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> PortalProcess::Requests() const {
  std::vector<std::string> lines = OutputLines();
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

}  // namespace testing_support

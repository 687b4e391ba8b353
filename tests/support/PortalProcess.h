// The local game portal (tools/portal) as a test runs it: on loopback, on a
// port the system picks, from construction to destruction.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class PortalProcess {
 public:
  // Starts build/bin/lorvane_portal and waits until it listens; throws when it cannot.
  PortalProcess();
  // Stops the portal and waits for it to end.
  ~PortalProcess();
  PortalProcess(const PortalProcess&) = delete;
  PortalProcess& operator=(const PortalProcess&) = delete;

  int Port() const { return m_port; }
  // "http://127.0.0.1:PORT" followed by `target`.
  std::string Url(const std::string& target) const;
  // The request lines the portal has answered so far ("GET /path HTTP/1.1").
  std::vector<std::string> Requests() const;

 private:
  std::vector<std::string> OutputLines() const;
  void Stop();

  pid_t m_pid = -1;
  int m_port = 0;
  std::string m_output;  // the portal's standard output
};

}  // namespace testing_support

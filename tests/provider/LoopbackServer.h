// An HTTP server on loopback (by default 127.0.0.1 with an ephemeral port), for tests and
// benchmarks that need one. It runs on its own thread from construction to
// destruction and serves one connection at a time: it reads the request head
// and hands the connection to the answer it was given.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace provider_test {

class LoopbackServer;

// One accepted connection, as the answer sees it.
class Connection {
 public:
  Connection(int fd, const LoopbackServer& server) : m_fd(fd), m_server(server) {}
  // False when the peer is gone or the server is stopping.
  bool Send(std::string_view bytes);
  // Sleeps; false when the server is stopping meanwhile.
  bool Wait(std::chrono::milliseconds duration);
  // Blocks until the server stops.
  void HoldUntilStopped();

 private:
  int m_fd;
  const LoopbackServer& m_server;
};

using Answer = std::function<void(Connection& connection)>;

class LoopbackServer {
 public:
  explicit LoopbackServer(Answer answer);
  // Listens on `port` of `address`, any address of 127.0.0.0/8; throws
  // std::system_error when it is taken.
  LoopbackServer(Answer answer, const std::string& address, int port);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return m_port; }
  const std::string& Address() const { return m_address; }
  // Request heads received so far, oldest first.
  std::vector<std::string> Requests() const;
  int StopFd() const { return m_stopPipe[0]; }

 private:
  void Serve();
  bool ReadRequestHead(int fd, std::string& head) const;

  Answer m_answer;
  int m_listener = -1;
  std::string m_address;
  int m_port = 0;
  int m_stopPipe[2] = {-1, -1};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_requests;
  std::thread m_thread;
};

// A complete response; with `declareLength` it carries a Content-Length.
std::string HttpResponse(int status, std::string_view body, bool declareLength = true,
                         std::string_view extraHeaders = {});
// Answers every request with the same bytes, then closes.
Answer Reply(std::string response);

}  // namespace provider_test

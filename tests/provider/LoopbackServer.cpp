#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace provider_test {

namespace {

// Waits for `fd` to be ready for `events` or the server to stop; false on stop.
bool WaitReady(int fd, short events, int stopFd, int timeoutMs) {
  pollfd fds[2] = {{fd, events, 0}, {stopFd, POLLIN, 0}};
  int n = poll(fds, 2, timeoutMs);
  return n > 0 && (fds[1].revents & POLLIN) == 0 && fds[0].revents != 0;
}

const char* ReasonOf(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

}  // namespace

bool Connection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!WaitReady(m_fd, POLLOUT, m_server.StopFd(), -1)) return false;
    ssize_t n = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool Connection::Wait(std::chrono::milliseconds duration) {
  pollfd stop = {m_server.StopFd(), POLLIN, 0};
  return poll(&stop, 1, static_cast<int>(duration.count())) == 0;
}

void Connection::HoldUntilStopped() {
  pollfd stop = {m_server.StopFd(), POLLIN, 0};
  while (poll(&stop, 1, -1) == 0 || (stop.revents & POLLIN) == 0) {
  }
}

LoopbackServer::LoopbackServer(Answer answer) : LoopbackServer(std::move(answer), "127.0.0.1", 0) {}

LoopbackServer::LoopbackServer(Answer answer, const std::string& address, int port)
    : m_answer(std::move(answer)), m_address(address) {
  m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in bound{};
  bound.sin_family = AF_INET;
  bound.sin_port = htons(static_cast<uint16_t>(port));
  socklen_t length = sizeof bound;
  if (m_listener < 0 || inet_pton(AF_INET, address.c_str(), &bound.sin_addr) != 1 ||
      bind(m_listener, reinterpret_cast<sockaddr*>(&bound), sizeof bound) != 0 || listen(m_listener, 16) != 0 ||
      getsockname(m_listener, reinterpret_cast<sockaddr*>(&bound), &length) != 0 || pipe2(m_stopPipe, O_CLOEXEC) != 0) {
    int error = errno;
    if (m_listener >= 0) close(m_listener);
    throw std::system_error(error, std::generic_category(), "loopback server: cannot listen on " + address);
  }
  m_port = ntohs(bound.sin_port);
  m_thread = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  char stop = 1;
  ssize_t ignored = write(m_stopPipe[1], &stop, 1);
  (void)ignored;
  m_thread.join();
  close(m_listener);
  close(m_stopPipe[0]);
  close(m_stopPipe[1]);
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

void LoopbackServer::Serve() {
  while (WaitReady(m_listener, POLLIN, m_stopPipe[0], -1)) {
    int fd = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::string head;
    if (ReadRequestHead(fd, head)) {
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(head);
      }
      Connection connection(fd, *this);
      m_answer(connection);
    }
    close(fd);
  }
}

bool LoopbackServer::ReadRequestHead(int fd, std::string& head) const {
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    if (!WaitReady(fd, POLLIN, m_stopPipe[0], -1)) return false;
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    head.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

std::string HttpResponse(int status, std::string_view body, bool declareLength, std::string_view extraHeaders) {
  std::string response = "HTTP/1.0 " + std::to_string(status) + " " + ReasonOf(status) + "\r\n";
  if (declareLength) response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  response.append(extraHeaders);
  response += "\r\n";
  response.append(body);
  return response;
}

Answer Reply(std::string response) {
  return [response = std::move(response)](Connection& connection) { connection.Send(response); };
}

}  // namespace provider_test

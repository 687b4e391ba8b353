// lorvane_portal PORT: serves the portal on 127.0.0.1:PORT until killed
// (PORT 0 takes a free port). The first line on standard output names the
// port; every request line follows, one a line, as it arrives.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "PortalPages.h"

namespace {

constexpr size_t kLongestHead = 16 * 1024;
constexpr int kReadTimeoutSeconds = 5;

int Listen(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

bool ReadHead(int fd, std::string& head) {
  char buffer[2048];
  while (head.find("\r\n\r\n") == std::string::npos) {
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0 || head.size() > kLongestHead) return false;
    head.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

void SendAll(int fd, const std::string& bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

std::string Response(int status, const std::string& body) {
  const char* reason = status == 200 ? "OK" : status == 405 ? "Method Not Allowed" : "Bad Request";
  return "HTTP/1.1 " + std::to_string(status) + " " + reason +
         "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

void Serve(int fd) {
  timeval timeout{kReadTimeoutSeconds, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string head;
  if (!ReadHead(fd, head)) return;
  const std::string requestLine = head.substr(0, head.find("\r\n"));
  std::printf("%s\n", requestLine.c_str());
  std::fflush(stdout);
  const size_t firstBlank = requestLine.find(' ');
  const size_t secondBlank = requestLine.find(' ', firstBlank + 1);
  if (firstBlank == std::string::npos || secondBlank == std::string::npos) {
    SendAll(fd, Response(400, ""));
    return;
  }
  if (requestLine.compare(0, firstBlank, "GET") != 0) {
    SendAll(fd, Response(405, ""));
    return;
  }
  portal::Page page = portal::PageFor(requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1));
  SendAll(fd, Response(page.status, page.body));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lorvane_portal PORT\n");
    return 2;
  }
  char* end = nullptr;
  long port = std::strtol(argv[1], &end, 10);
  if (*end || port < 0 || port > 65535) {
    std::fprintf(stderr, "lorvane_portal: %s is not a port\n", argv[1]);
    return 2;
  }
  int listener = Listen(static_cast<int>(port));
  if (listener < 0) {
    std::perror("lorvane_portal");
    return 1;
  }
  std::printf("listening on 127.0.0.1:%d\n", PortOf(listener));
  std::fflush(stdout);
  for (;;) {
    int fd = accept(listener, nullptr, nullptr);
    if (fd < 0) continue;
    Serve(fd);
    close(fd);
  }
}

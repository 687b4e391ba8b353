#include "PageFetcher.h"

#include <memory>

#include "win32/WinBase.h"
#include "wininet/WinInet.h"

namespace winsim::browser {

namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; winsim Web Browser control)";
constexpr DWORD kChunk = 8192;
// A page larger than this is cut: the control shows titles and links only.
constexpr size_t kLargestPage = 4 * 1024 * 1024;

struct HandleCloser {
  void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

FetchedPage Failed(const std::string& what) {
  FetchedPage page;
  page.failure = what + " (error " + std::to_string(GetLastError()) + ")";
  return page;
}

struct UrlParts {
  std::string host;
  INTERNET_PORT port = 0;
  std::string object;
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
};

bool Crack(const std::string& url, UrlParts& parts) {
  char host[256] = {}, path[2048] = {}, extra[2048] = {};
  URL_COMPONENTSA c{};
  c.dwStructSize = sizeof c;
  c.lpszHostName = host;
  c.dwHostNameLength = sizeof host;
  c.lpszUrlPath = path;
  c.dwUrlPathLength = sizeof path;
  c.lpszExtraInfo = extra;
  c.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(url.c_str(), 0, 0, &c)) return false;
  parts.host = host;
  parts.port = c.nPort;
  parts.scheme = c.nScheme;
  // The fragment stays with the browser; the server sees the path and query.
  std::string query = extra;
  parts.object = std::string(path) + query.substr(0, query.find('#'));
  if (parts.object.empty()) parts.object.push_back('/');
  return true;
}

}  // namespace

FetchedPage FetchPage(const std::string& url, bool reload) {
  UrlParts parts;
  if (!Crack(url, parts)) return Failed("The address is not valid");
  if (parts.scheme != INTERNET_SCHEME_HTTP) {
    FetchedPage page;
    page.failure = "Only http pages can be shown";
    return page;
  }
  Handle session(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return Failed("No connection to the network");
  Handle connection(InternetConnectA(session.get(), parts.host.c_str(), parts.port, nullptr, nullptr,
                                     INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return Failed("The server cannot be reached");
  const DWORD flags = reload ? INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE : 0;
  Handle request(HttpOpenRequestA(connection.get(), "GET", parts.object.c_str(), "HTTP/1.1", nullptr, nullptr,
                                  flags, 0));
  if (!request || !HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return Failed("The server cannot be reached");
  FetchedPage page;
  char buffer[kChunk];
  for (DWORD read = 0;;) {
    if (!InternetReadFile(request.get(), buffer, kChunk, &read)) return Failed("The connection was broken");
    if (read == 0) break;
    page.body.append(buffer, read);
    if (page.body.size() >= kLargestPage) break;
  }
  page.ok = true;
  return page;
}

}  // namespace winsim::browser

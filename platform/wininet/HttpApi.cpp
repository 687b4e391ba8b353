// WinINet's synchronous HTTP client: open, connect, open a request, send it,
// query a header, read the body, close.
#include <cstdlib>
#include <cstring>
#include <string>

#include "InternetHandle.h"
#include "VirtualHosts.h"
#include "WinInet.h"
#include "win32/Unsupported.h"
#include "win32/WinBase.h"

namespace winsim {

namespace {

// The platform's default time-outs are not firmly documented; these follow
// what is published for current versions (a minute to connect, half a
// minute for each send and receive). WINSIM_NET_TIMEOUT_MS sets all three.
constexpr long kDefaultConnectTimeoutMs = 60000;
constexpr long kDefaultReceiveTimeoutMs = 30000;
constexpr DWORD kSupportedRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;

long EnvironmentNumber(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::strtol(value, nullptr, 10) : 0;
}

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

template <typename T>
T* Find(HINTERNET handle, InternetObject::Kind kind) {
  return static_cast<T*>(FindInternetHandle(handle, kind));
}

HINTERNET FailHandle(DWORD error) {
  SetLastError(error);
  return nullptr;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

HttpTransferSettings TransferSettings(const HttpRequest& request) {
  const InternetConnection& connection = request.Connection();
  const InternetSession& session = connection.Session();
  HttpTransferSettings settings;
  std::string port = std::to_string(connection.port);
  settings.url = "http://" + connection.server + ":" + port + "/";
  // Through a proxy the request line names the whole address.
  std::string authority = connection.server + (connection.port == INTERNET_DEFAULT_HTTP_PORT ? "" : ":" + port);
  settings.requestTarget = session.proxy.empty() ? request.object : "http://" + authority + request.object;
  settings.userAgent = session.agent;
  if (request.pragmaNoCache) settings.headers.push_back("Pragma: no-cache");
  settings.proxy = session.proxy;
  settings.noProxy = session.noProxy;
  settings.defaultPortMappedTo = EnvironmentNumber("WINSIM_HTTP_PORT");
  // A redirect may lead to another virtual host on the default port.
  std::vector<long> ports{INTERNET_DEFAULT_HTTP_PORT};
  if (connection.port != INTERNET_DEFAULT_HTTP_PORT) ports.push_back(connection.port);
  if (settings.defaultPortMappedTo > 0) ports.push_back(settings.defaultPortMappedTo);
  settings.resolve = ResolveEntries(ports);
  settings.http10 = request.http10;
  settings.connectTimeoutMs = session.connectTimeoutMs;
  settings.receiveTimeoutMs = session.receiveTimeoutMs;
  return settings;
}

}  // namespace

}  // namespace winsim

using namespace winsim;

extern "C" HINTERNET WINAPI InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR, LPCSTR, DWORD dwFlags) {
  if (dwFlags != 0) {
    WINSIM_UNSUPPORTED("asynchronous or offline sessions");
    return FailHandle(ERROR_INVALID_PARAMETER);
  }
  auto session = std::make_unique<InternetSession>();
  switch (dwAccessType) {
    case INTERNET_OPEN_TYPE_PRECONFIG:
    case INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY:
      // The system's preconfigured proxy is the one the environment names.
      session->proxy = EnvironmentText("http_proxy");
      session->noProxy = EnvironmentText("no_proxy");
      break;
    case INTERNET_OPEN_TYPE_DIRECT:
      break;
    default:
      WINSIM_UNSUPPORTED("a proxy named by the caller");
      return FailHandle(ERROR_INVALID_PARAMETER);
  }
  session->agent = lpszAgent ? lpszAgent : "";
  long timeout = EnvironmentNumber("WINSIM_NET_TIMEOUT_MS");
  session->connectTimeoutMs = timeout > 0 ? timeout : kDefaultConnectTimeoutMs;
  session->receiveTimeoutMs = timeout > 0 ? timeout : kDefaultReceiveTimeoutMs;
  return AddInternetHandle(std::move(session));
}

extern "C" HINTERNET WINAPI InternetConnectA(HINTERNET hInternet, LPCSTR lpszServerName, INTERNET_PORT nServerPort,
                                             LPCSTR, LPCSTR, DWORD dwService, DWORD dwFlags, DWORD_PTR) {
  auto* session = Find<InternetSession>(hInternet, InternetObject::Kind::Session);
  if (!session) return nullptr;
  if (dwService != INTERNET_SERVICE_HTTP || dwFlags != 0) {
    WINSIM_UNSUPPORTED("services other than plain HTTP");
    return FailHandle(ERROR_INVALID_PARAMETER);
  }
  if (!lpszServerName || !*lpszServerName) return FailHandle(ERROR_INVALID_PARAMETER);
  auto connection = std::make_unique<InternetConnection>(session);
  connection->server = lpszServerName;
  connection->port = nServerPort == INTERNET_INVALID_PORT_NUMBER ? INTERNET_DEFAULT_HTTP_PORT : nServerPort;
  return AddInternetHandle(std::move(connection));
}

extern "C" HINTERNET WINAPI HttpOpenRequestA(HINTERNET hConnect, LPCSTR lpszVerb, LPCSTR lpszObjectName,
                                             LPCSTR lpszVersion, LPCSTR lpszReferrer, LPCSTR* lplpszAcceptTypes,
                                             DWORD dwFlags, DWORD_PTR) {
  auto* connection = Find<InternetConnection>(hConnect, InternetObject::Kind::Connection);
  if (!connection) return nullptr;
  std::string verb = lpszVerb ? lpszVerb : "GET";
  std::string version = lpszVersion ? lpszVersion : "HTTP/1.1";
  if (verb != "GET" || (version != "HTTP/1.0" && version != "HTTP/1.1") || lpszReferrer || lplpszAcceptTypes ||
      (dwFlags & ~kSupportedRequestFlags) != 0) {
    WINSIM_UNSUPPORTED("requests other than a plain GET");
    return FailHandle(ERROR_INVALID_PARAMETER);
  }
  auto request = std::make_unique<HttpRequest>(connection);
  request->object = lpszObjectName && *lpszObjectName ? lpszObjectName : "/";
  request->http10 = version == "HTTP/1.0";
  request->pragmaNoCache = (dwFlags & INTERNET_FLAG_PRAGMA_NOCACHE) != 0;
  return AddInternetHandle(std::move(request));
}

extern "C" BOOL WINAPI HttpSendRequestA(HINTERNET hRequest, LPCSTR lpszHeaders, DWORD, LPVOID lpOptional,
                                        DWORD dwOptionalLength) {
  auto* request = Find<HttpRequest>(hRequest, InternetObject::Kind::Request);
  if (!request) return FALSE;
  if (lpszHeaders || lpOptional || dwOptionalLength || request->transfer) {
    WINSIM_UNSUPPORTED("extra headers, a request body or sending twice");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  request->transfer = std::make_unique<HttpTransfer>(TransferSettings(*request));
  if (DWORD error = request->transfer->Send()) return Fail(error);
  return TRUE;
}

extern "C" BOOL WINAPI HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer, LPDWORD lpdwBufferLength,
                                      LPDWORD lpdwIndex) {
  auto* request = Find<HttpRequest>(hRequest, InternetObject::Kind::Request);
  if (!request) return FALSE;
  if (dwInfoLevel != HTTP_QUERY_CONTENT_LENGTH || (lpdwIndex && *lpdwIndex != 0)) {
    WINSIM_UNSUPPORTED("headers other than the content length, as text");
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (!lpBuffer || !lpdwBufferLength) return Fail(ERROR_INVALID_PARAMETER);
  if (!request->transfer) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  std::string value;
  if (!request->transfer->Header("Content-Length", value)) return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
  if (value.size() + 1 > *lpdwBufferLength) {
    *lpdwBufferLength = static_cast<DWORD>(value.size() + 1);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(lpBuffer, value.c_str(), value.size() + 1);
  *lpdwBufferLength = static_cast<DWORD>(value.size());
  return TRUE;
}

extern "C" BOOL WINAPI InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                                        LPDWORD lpdwNumberOfBytesRead) {
  if (!lpdwNumberOfBytesRead) return Fail(ERROR_INVALID_PARAMETER);
  *lpdwNumberOfBytesRead = 0;
  auto* request = Find<HttpRequest>(hFile, InternetObject::Kind::Request);
  if (!request) return FALSE;
  if (!lpBuffer && dwNumberOfBytesToRead > 0) return Fail(ERROR_INVALID_PARAMETER);
  if (!request->transfer) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  size_t read = 0;
  DWORD error = request->transfer->Read(static_cast<char*>(lpBuffer), dwNumberOfBytesToRead, read);
  if (error) return Fail(error);
  *lpdwNumberOfBytesRead = static_cast<DWORD>(read);
  return TRUE;
}

extern "C" BOOL WINAPI InternetCloseHandle(HINTERNET hInternet) {
  return CloseInternetHandle(hInternet) ? TRUE : FALSE;
}

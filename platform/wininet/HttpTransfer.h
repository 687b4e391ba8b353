// One HTTP exchange over libcurl, driven from the caller's thread: the
// request goes out, redirects are followed and the final response head comes
// in when it is sent, the body
// is pulled as the caller reads it. An exchange belongs to the thread that
// made it. Body bytes that arrive before they are
// read are held up to a bound; past it the transfer pauses, so a huge body
// costs no more memory than the caller asks for.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "win32/WinDef.h"

namespace winsim {

struct HttpTransferSettings {
  std::string url;            // where to connect, "http://host:port/"
  std::string requestTarget;  // what the request line names
  std::string userAgent;
  std::vector<std::string> headers;
  std::string proxy;             // empty: connect directly
  std::string noProxy;           // hosts that bypass the proxy
  long defaultPortMappedTo = 0;  // the network's stand-in port for port 80, 0 for none
  std::vector<std::string> resolve;  // "name:port:address" of the virtual hosts
  bool http10 = false;
  long connectTimeoutMs = 0;
  long receiveTimeoutMs = 0;
};

class HttpTransfer {
 public:
  explicit HttpTransfer(const HttpTransferSettings& settings);
  ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // Sends the request and waits for the final response head. 0 or a WinINet error.
  DWORD Send();
  // Waits until `size` body bytes are in `buffer` or the body has ended.
  DWORD Read(char* buffer, size_t size, size_t& read);
  // The first header of that name in the final response head, trimmed.
  bool Header(const std::string& name, std::string& value) const;

 private:
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  void TakeHeaderLine(std::string line);
  bool IsRedirect() const;
  DWORD Redirect();
  DWORD PumpUntil(const std::function<bool()>& ready);
  void CollectFinished();
  bool Connected() const;
  size_t TakePending(char* buffer, size_t size);
  DWORD FinishedError() const;

  CURL* m_easy = nullptr;
  CURLM* m_multi = nullptr;
  curl_slist* m_headerList = nullptr;
  curl_slist* m_connectTo = nullptr;
  curl_slist* m_resolve = nullptr;
  std::string m_requestTarget;
  std::chrono::milliseconds m_receiveTimeout;
  bool m_absoluteTarget;  // through a proxy the request line names the whole address

  long m_status = 0;
  std::vector<std::pair<std::string, std::string>> m_headers;
  bool m_headComplete = false;
  std::string m_pending;
  size_t m_pendingTaken = 0;
  bool m_paused = false;
  bool m_progressed = false;
  bool m_finished = false;
  CURLcode m_result = CURLE_OK;
};

}  // namespace winsim

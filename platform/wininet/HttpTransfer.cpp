#include "HttpTransfer.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "WinInet.h"

namespace winsim {

namespace {

using Clock = std::chrono::steady_clock;

// Body bytes held for the reader before the transfer pauses.
constexpr size_t kHeldBodyLimit = 64 * 1024;
constexpr long kMaxRedirects = 10;
constexpr std::chrono::milliseconds kLongestWait{1000};

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Per thread, one multi handle drives every exchange, and the easy handle of
// the last exchange is kept for the next: making them anew costs more than a
// whole exchange on loopback. No connection outlives its exchange.
struct CurlHandles {
  CURLM* multi = nullptr;
  CURL* spare = nullptr;
  std::set<std::string> resolved;  // "name:port" in the multi handle's name cache
  ~CurlHandles() {
    if (spare) curl_easy_cleanup(spare);
    if (multi) curl_multi_cleanup(multi);
  }
};

thread_local CurlHandles t_handles;

// Names given to curl stay in the multi handle's cache; a name the virtual
// network no longer has is taken out again.
curl_slist* ResolveList(const std::vector<std::string>& entries) {
  std::set<std::string> now;
  curl_slist* list = nullptr;
  for (const std::string& entry : entries) {
    now.insert(entry.substr(0, entry.find(':', entry.find(':') + 1)));
    list = curl_slist_append(list, entry.c_str());
  }
  for (const std::string& old : t_handles.resolved) {
    if (!now.count(old)) list = curl_slist_append(list, ("-" + old).c_str());
  }
  t_handles.resolved = std::move(now);
  return list;
}

CURLM* ThreadMulti() {
  if (!t_handles.multi) t_handles.multi = curl_multi_init();
  return t_handles.multi;
}

CURL* TakeEasy() {
  CURL* easy = t_handles.spare;
  t_handles.spare = nullptr;
  if (!easy) return curl_easy_init();
  curl_easy_reset(easy);
  return easy;
}

void GiveBackEasy(CURL* easy) {
  if (t_handles.spare) {
    curl_easy_cleanup(easy);
  } else {
    t_handles.spare = easy;
  }
}

DWORD ErrorOf(CURLcode code) {
  switch (code) {
    case CURLE_OK:
      return 0;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_URL_MALFORMAT:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_PARTIAL_FILE:
      return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default:
      return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

// "/path?query" of an absolute address.
bool PathAndQuery(const std::string& url, std::string& target) {
  CURLU* parsed = curl_url();
  char* path = nullptr;
  char* query = nullptr;
  bool ok = curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
            curl_url_get(parsed, CURLUPART_PATH, &path, 0) == CURLUE_OK;
  if (ok) {
    target = path;
    if (curl_url_get(parsed, CURLUPART_QUERY, &query, 0) == CURLUE_OK) target += std::string("?") + query;
  }
  curl_free(path);
  curl_free(query);
  curl_url_cleanup(parsed);
  return ok;
}

std::string Trim(std::string text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

HttpTransfer::HttpTransfer(const HttpTransferSettings& settings)
    : m_receiveTimeout(settings.receiveTimeoutMs), m_absoluteTarget(!settings.proxy.empty()) {
  InitialiseCurlOnce();
  m_easy = TakeEasy();
  m_multi = ThreadMulti();
  curl_easy_setopt(m_easy, CURLOPT_URL, settings.url.c_str());
  m_requestTarget = settings.requestTarget;
  curl_easy_setopt(m_easy, CURLOPT_REQUEST_TARGET, m_requestTarget.c_str());
  curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, settings.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  if (!settings.userAgent.empty()) curl_easy_setopt(m_easy, CURLOPT_USERAGENT, settings.userAgent.c_str());
  // No header beyond what the platform sends: curl would add an Accept line.
  m_headerList = curl_slist_append(m_headerList, "Accept:");
  for (const std::string& header : settings.headers) m_headerList = curl_slist_append(m_headerList, header.c_str());
  curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headerList);
  // An empty proxy turns off curl's own reading of the environment.
  curl_easy_setopt(m_easy, CURLOPT_PROXY, settings.proxy.c_str());
  if (!settings.noProxy.empty()) curl_easy_setopt(m_easy, CURLOPT_NOPROXY, settings.noProxy.c_str());
  if (settings.defaultPortMappedTo > 0) {
    // Any host's port 80 is reached on the stand-in port, the same host.
    std::string mapping = ":80::" + std::to_string(settings.defaultPortMappedTo);
    m_connectTo = curl_slist_append(m_connectTo, mapping.c_str());
    curl_easy_setopt(m_easy, CURLOPT_CONNECT_TO, m_connectTo);
  }
  m_resolve = ResolveList(settings.resolve);
  if (m_resolve) curl_easy_setopt(m_easy, CURLOPT_RESOLVE, m_resolve);
  curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, settings.connectTimeoutMs);
  curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(m_easy, CURLOPT_PRIVATE, this);
  curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
  curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
  curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
}

HttpTransfer::~HttpTransfer() {
  if (m_multi && m_easy) curl_multi_remove_handle(m_multi, m_easy);
  if (m_easy) GiveBackEasy(m_easy);
  curl_slist_free_all(m_headerList);
  curl_slist_free_all(m_connectTo);
  curl_slist_free_all(m_resolve);
}

DWORD HttpTransfer::Send() {
  if (!m_easy || !m_multi) return ERROR_INTERNET_INTERNAL_ERROR;
  for (long redirects = 0;; ++redirects) {
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK) return ERROR_INTERNET_INTERNAL_ERROR;
    if (DWORD error = PumpUntil([this] { return m_headComplete; })) return error;
    if (!m_headComplete) return FinishedError();
    std::string location;
    if (!IsRedirect() || !Header("Location", location)) return 0;
    if (redirects == kMaxRedirects) return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    if (DWORD error = Redirect()) return error;
  }
}

// A GET is sent again to the address the redirect names, with the request
// line naming it as the first request named its own.
DWORD HttpTransfer::Redirect() {
  char* next = nullptr;
  if (curl_easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &next) != CURLE_OK || !next) {
    return ERROR_HTTP_INVALID_SERVER_RESPONSE;
  }
  std::string url = next;
  std::string target = url;
  if (!m_absoluteTarget && !PathAndQuery(url, target)) return ERROR_HTTP_INVALID_SERVER_RESPONSE;
  curl_multi_remove_handle(m_multi, m_easy);
  m_requestTarget = target;
  curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(m_easy, CURLOPT_REQUEST_TARGET, m_requestTarget.c_str());
  m_status = 0;
  m_headers.clear();
  m_headComplete = false;
  m_pending.clear();
  m_pendingTaken = 0;
  m_paused = false;
  m_finished = false;
  m_result = CURLE_OK;
  return 0;
}

bool HttpTransfer::IsRedirect() const {
  return m_status == 301 || m_status == 302 || m_status == 303 || m_status == 307 || m_status == 308;
}

DWORD HttpTransfer::Read(char* buffer, size_t size, size_t& read) {
  read = 0;
  while (true) {
    read += TakePending(buffer + read, size - read);
    if (read == size) return 0;
    if (m_finished) return FinishedError();
    if (m_paused) {
      m_paused = false;
      curl_easy_pause(m_easy, CURLPAUSE_CONT);  // may hand over held bytes at once
      continue;
    }
    if (DWORD error = PumpUntil([this] { return m_pendingTaken < m_pending.size() || m_paused; })) return error;
  }
}

bool HttpTransfer::Header(const std::string& name, std::string& value) const {
  for (const auto& [headerName, headerValue] : m_headers) {
    if (strcasecmp(headerName.c_str(), name.c_str()) == 0) {
      value = headerValue;
      return true;
    }
  }
  return false;
}

size_t HttpTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
  static_cast<HttpTransfer*>(self)->TakeHeaderLine(std::string(data, size * count));
  return size * count;
}

void HttpTransfer::TakeHeaderLine(std::string line) {
  m_progressed = true;
  line = Trim(line);
  if (line.rfind("HTTP/", 0) == 0) {
    // A new response: after an interim answer or a redirect that curl follows.
    m_headers.clear();
    size_t blank = line.find(' ');
    m_status = blank == std::string::npos ? 0 : std::strtol(line.c_str() + blank + 1, nullptr, 10);
    return;
  }
  if (line.empty()) {
    if (m_status >= 200) m_headComplete = true;  // not an interim answer
    return;
  }
  size_t colon = line.find(':');
  if (colon == std::string::npos) return;
  m_headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
}

size_t HttpTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
  auto* transfer = static_cast<HttpTransfer*>(self);
  if (transfer->m_pending.size() - transfer->m_pendingTaken >= kHeldBodyLimit) {
    transfer->m_paused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  transfer->m_pending.append(data, size * count);
  transfer->m_progressed = true;
  transfer->m_headComplete = true;
  return size * count;
}

size_t HttpTransfer::TakePending(char* buffer, size_t size) {
  size_t n = std::min(size, m_pending.size() - m_pendingTaken);
  std::memcpy(buffer, m_pending.data() + m_pendingTaken, n);
  m_pendingTaken += n;
  if (m_pendingTaken == m_pending.size()) {
    m_pending.clear();
    m_pendingTaken = 0;
  }
  return n;
}

// Drives the exchange until `ready` holds or it ends. Once connected, a
// stretch without any incoming byte longer than the receive time-out fails.
DWORD HttpTransfer::PumpUntil(const std::function<bool()>& ready) {
  Clock::time_point lastProgress = Clock::now();
  bool connected = Connected();
  while (!ready() && !m_finished) {
    int running = 0;
    if (curl_multi_perform(m_multi, &running) != CURLM_OK) return ERROR_INTERNET_INTERNAL_ERROR;
    CollectFinished();
    if (ready() || m_finished) break;
    Clock::time_point now = Clock::now();
    if (m_progressed || (!connected && Connected())) {
      m_progressed = false;
      connected = true;
      lastProgress = now;
    }
    auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastProgress);
    if (connected && idle >= m_receiveTimeout) return ERROR_INTERNET_TIMEOUT;
    auto wait = connected ? std::min(m_receiveTimeout - idle, kLongestWait) : kLongestWait;
    curl_multi_poll(m_multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
  }
  return 0;
}

// The multi handle is shared by the thread's exchanges: each end goes to its own.
void HttpTransfer::CollectFinished() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
    char* owner = nullptr;
    if (message->msg != CURLMSG_DONE || curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &owner) != CURLE_OK ||
        !owner) {
      continue;
    }
    auto* transfer = reinterpret_cast<HttpTransfer*>(owner);
    transfer->m_finished = true;
    transfer->m_result = message->data.result;
  }
}

bool HttpTransfer::Connected() const {
  curl_off_t connectTime = 0;
  return curl_easy_getinfo(m_easy, CURLINFO_CONNECT_TIME_T, &connectTime) == CURLE_OK && connectTime > 0;
}

DWORD HttpTransfer::FinishedError() const { return ErrorOf(m_result); }

}  // namespace winsim

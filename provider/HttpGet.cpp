#include "provider/HttpGet.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

const char kAgent[] = "iTorvex";
// Always from the server, never into the URL cache, with a no-cache pragma.
const DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
// Bytes read when the server declares no usable length.
const unsigned long long kUndeclaredLength = 10240;
// No block this large fits the address space of the 32-bit process, so a
// longer declared body can never be read.
const unsigned long long kLargestBody = 0x7FFFFFFEull;

// Nothing uses the handles after Get returns, so each is closed on the way out.
class CInternetHandle {
 public:
  explicit CInternetHandle(HINTERNET hInternet) : m_hInternet(hInternet) {}
  ~CInternetHandle() {
    if (m_hInternet) InternetCloseHandle(m_hInternet);
  }
  CInternetHandle(const CInternetHandle&) = delete;
  CInternetHandle& operator=(const CInternetHandle&) = delete;
  operator HINTERNET() const { return m_hInternet; }

 private:
  HINTERNET m_hInternet;
};

// The declared content length read as its leading digits (0 when there are
// none); one that does not fit the platform's answer buffer counts as
// undeclared. Past kLargestBody the value only says "too large".
unsigned long long DeclaredLength(HINTERNET hRequest) {
  char szLength[32];
  DWORD dwLength = sizeof szLength;
  if (!HttpQueryInfoA(hRequest, HTTP_QUERY_CONTENT_LENGTH, szLength, &dwLength, nullptr)) return kUndeclaredLength;
  unsigned long long nLength = 0;
  for (const char* p = szLength; *p >= '0' && *p <= '9' && nLength <= kLargestBody; ++p) {
    nLength = nLength * 10 + static_cast<unsigned>(*p - '0');
  }
  return nLength;
}

// UTF-8 to UTF-16 to the calling thread's ANSI code page, each output sized
// by asking first: one UTF-16 unit may need more than two bytes.
CString Utf8ToThreadAnsi(const char* pszUtf8) {
  int nWide = MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, nullptr, 0);
  if (nWide <= 0) return CString();
  std::vector<WCHAR> wide(static_cast<size_t>(nWide));
  if (MultiByteToWideChar(CP_UTF8, 0, pszUtf8, -1, wide.data(), nWide) <= 0) return CString();
  int nAnsi = WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (nAnsi <= 0) return CString();
  CString strAnsi;
  int nWritten =
      WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), -1, strAnsi.GetBuffer(nAnsi), nAnsi, nullptr, nullptr);
  strAnsi.ReleaseBuffer(nWritten > 0 ? -1 : 0);
  return strAnsi;
}

CString Failed(int* pError) {
  *pError = -1;
  return CString();
}

}  // namespace

CString CHttpGet::Get(int* pError) {
  CInternetHandle hInternet(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  CInternetHandle hConnect(
      InternetConnectA(hInternet, m_strServer, INTERNET_INVALID_PORT_NUMBER, " ", " ", INTERNET_SERVICE_HTTP, 0, 0));
  CString strObject;
  strObject.Format("%s?v=%u", static_cast<const char*>(m_strObject), static_cast<unsigned>(std::time(nullptr)));
  CInternetHandle hRequest(
      HttpOpenRequestA(hConnect, "GET", strObject, "HTTP/1.0", nullptr, nullptr, kRequestFlags, 1));
  // An open or connect that failed left no usable handle, so the send fails too.
  if (!HttpSendRequestA(hRequest, nullptr, 0, nullptr, 0)) return Failed(pError);

  unsigned long long nLength = DeclaredLength(hRequest);
  if (nLength > kLargestBody) return Failed(pError);
  std::unique_ptr<char, decltype(&std::free)> pBody(static_cast<char*>(std::calloc(nLength + 1, 1)), &std::free);
  if (!pBody) return Failed(pError);
  // One read: on a synchronous handle it returns the whole body up to nLength.
  DWORD dwRead = 0;
  if (!InternetReadFile(hRequest, pBody.get(), static_cast<DWORD>(nLength), &dwRead)) return Failed(pError);
  return Utf8ToThreadAnsi(pBody.get());
}

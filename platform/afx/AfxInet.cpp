// AfxInet.h through framework.h, which declares the platform's WinINet first.
#include "framework.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The canonicaliser needs a buffer: it rejects a null one rather than tell
// the size. Escaping at most triples the address; a buffer that is still too
// small gets the size it needs for a second try.
bool Canonicalize(LPCSTR url, std::string& out) {
  std::vector<char> buffer(std::strlen(url) * 3 + 1);
  DWORD length = static_cast<DWORD>(buffer.size());
  if (!InternetCanonicalizeUrlA(url, buffer.data(), &length, ICU_BROWSER_MODE)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buffer.resize(length);
    if (!InternetCanonicalizeUrlA(url, buffer.data(), &length, ICU_BROWSER_MODE)) return false;
  }
  out.assign(buffer.data(), length);
  return true;
}

DWORD ServiceOf(INTERNET_SCHEME scheme) {
  switch (scheme) {
    case INTERNET_SCHEME_HTTP:
      return AFX_INET_SERVICE_HTTP;
    case INTERNET_SCHEME_HTTPS:
      return AFX_INET_SERVICE_HTTPS;
    case INTERNET_SCHEME_FTP:
      return AFX_INET_SERVICE_FTP;
    default:
      return AFX_INET_SERVICE_UNK;
  }
}

}  // namespace

BOOL AFXAPI AfxParseURL(LPCSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                        INTERNET_PORT& nPort) {
  dwServiceType = AFX_INET_SERVICE_UNK;
  std::string url;
  if (!pstrURL || !*pstrURL || !Canonicalize(pstrURL, url)) return FALSE;

  // Pointer mode: every part is a view of `url`.
  URL_COMPONENTSA parts;
  std::memset(&parts, 0, sizeof parts);
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = 1;
  parts.dwUrlPathLength = 1;
  parts.dwExtraInfoLength = 1;
  if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return FALSE;
  dwServiceType = ServiceOf(parts.nScheme);
  if (dwServiceType == AFX_INET_SERVICE_UNK) return FALSE;

  strServer = CString(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
  CString strPath(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength));
  // A request needs an object: an address that ends at its host asks for "/".
  if (strPath.IsEmpty()) strPath += '/';
  strObject = strPath + CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
  nPort = parts.nPort;
  return TRUE;
}

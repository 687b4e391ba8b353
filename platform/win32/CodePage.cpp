#include "CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>
#include <algorithm>

#include "WinBase.h"

namespace winsim {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

std::mutex g_acpMutex;
UINT g_acp = 0;

UINT ResolveCodePage(UINT cp) {
  if (cp == CP_ACP || cp == CP_THREAD_ACP || cp == CP_OEMCP) return AnsiCodePage();
  return cp;
}

// UTF-8 decoding that marks every invalid sequence with U+FFFD, as the
// platform does since Vista; `invalid` tells whether any was seen.
std::u32string DecodeUtf8(std::string_view in, bool& invalid) {
  std::u32string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    int need = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF) { need = 1; cp = c & 0x1F; min = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { need = 2; cp = c & 0x0F; min = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { need = 3; cp = c & 0x07; min = 0x10000; }
    else { out.push_back(kReplacement); invalid = true; ++i; continue; }
    size_t j = 1;
    for (; j <= static_cast<size_t>(need) && i + j < in.size(); ++j) {
      unsigned char cc = static_cast<unsigned char>(in[i + j]);
      if ((cc & 0xC0) != 0x80) break;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (j != static_cast<size_t>(need) + 1 || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      invalid = true;
      i += (j > 1) ? j : 1;
      continue;
    }
    out.push_back(cp);
    i += static_cast<size_t>(need) + 1;
  }
  return out;
}

std::u32string DecodeUtf16(std::u16string_view in, bool& invalid) {
  std::u32string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char16_t u = in[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(in[i + 1]) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      out.push_back(kReplacement);
      invalid = true;
    } else {
      out.push_back(u);
    }
  }
  return out;
}

std::u16string EncodeUtf16(const std::u32string& in) {
  std::u16string out;
  out.reserve(in.size());
  for (char32_t cp : in) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string EncodeUtf8(const std::u32string& in) {
  std::string out;
  out.reserve(in.size());
  for (char32_t cp : in) {
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string IconvName(UINT cp) { return std::string("CP").append(std::to_string(cp)); }

class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(m_cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  // Converts as much as possible; returns errno of the stop (0 when all done).
  int Convert(const char*& in, size_t& inLeft, std::string& out) {
    char buf[256];
    while (inLeft > 0) {
      char* o = buf;
      size_t oLeft = sizeof buf;
      size_t r = iconv(m_cd, const_cast<char**>(&in), &inLeft, &o, &oLeft);
      out.append(buf, static_cast<size_t>(o - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return errno;
    }
    return 0;
  }

 private:
  iconv_t m_cd;
};

// Multi-byte code page → code points; undecodable bytes become '?'.
bool DecodeCodePage(UINT cp, std::string_view in, std::u32string& out, bool& invalid) {
  Iconv cd("UTF-32LE", IconvName(cp));
  if (!cd.ok()) return false;
  const char* p = in.data();
  size_t left = in.size();
  std::string bytes;
  while (left > 0) {
    if (cd.Convert(p, left, bytes) != 0) {
      bytes.append("\x3F\0\0\0", 4);
      invalid = true;
      ++p;
      --left;
    }
  }
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    out.push_back(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                  (static_cast<unsigned char>(bytes[i + 2]) << 16) |
                  (char32_t(static_cast<unsigned char>(bytes[i + 3])) << 24));
  }
  return true;
}

// Code points → multi-byte code page; what it lacks becomes `defaultChar`.
bool EncodeCodePage(UINT cp, const std::u32string& in, const std::string& defaultChar, std::string& out,
                    bool& usedDefault) {
  Iconv cd(IconvName(cp), "UTF-32LE");
  if (!cd.ok()) return false;
  std::string raw;
  raw.reserve(in.size() * 4);
  for (char32_t c : in) {
    for (int b = 0; b < 4; ++b) raw.push_back(static_cast<char>((c >> (8 * b)) & 0xFF));
  }
  const char* p = raw.data();
  size_t left = raw.size();
  while (left > 0) {
    if (cd.Convert(p, left, out) != 0) {
      out += defaultChar;
      usedDefault = true;
      p += 4;
      left -= 4;
    }
  }
  return true;
}

}  // namespace

UINT AnsiCodePage() {
  std::lock_guard<std::mutex> lock(g_acpMutex);
  if (g_acp == 0) {
    const char* env = std::getenv("WINSIM_ACP");
    g_acp = env ? static_cast<UINT>(std::strtoul(env, nullptr, 10)) : CP_UTF8;
    if (g_acp == 0) g_acp = CP_UTF8;
  }
  return g_acp;
}

void ResetAnsiCodePage() {
  std::lock_guard<std::mutex> lock(g_acpMutex);
  g_acp = 0;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  bool invalid = false;
  return EncodeUtf16(DecodeUtf8(text, invalid));
}

std::string Utf16ToUtf8(std::u16string_view text) {
  bool invalid = false;
  return EncodeUtf8(DecodeUtf16(text, invalid));
}

std::u16string AnsiToUtf16(std::string_view text) {
  std::u16string out;
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string out;
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string AnsiToUtf8(std::string_view text) {
  if (AnsiCodePage() == CP_UTF8) return std::string(text);
  return Utf16ToUtf8(AnsiToUtf16(text));
}

}  // namespace winsim

using winsim::AnsiCodePage;

extern "C" UINT WINAPI GetACP(void) { return AnsiCodePage(); }

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar) {
  if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0 ||
      (dwFlags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t length = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
  std::string_view in(lpMultiByteStr, length);
  UINT cp = winsim::ResolveCodePage(CodePage);
  bool invalid = false;
  std::u32string points;
  if (cp == CP_UTF8) {
    points = winsim::DecodeUtf8(in, invalid);
  } else if (!winsim::DecodeCodePage(cp, in, points, invalid)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (invalid && (dwFlags & MB_ERR_INVALID_CHARS)) {
    SetLastError(winsim::ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  std::u16string out = winsim::EncodeUtf16(points);
  if (cchWideChar == 0) return static_cast<int>(out.size());
  if (out.size() > static_cast<size_t>(cchWideChar)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(out.begin(), out.end(), lpWideCharStr);
  return static_cast<int>(out.size());
}

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar) {
  if (lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UINT cp = winsim::ResolveCodePage(CodePage);
  if (cp == CP_UTF8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr ||
                        (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (cp != CP_UTF8 && dwFlags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t length = 0;
  if (cchWideChar < 0) {
    while (lpWideCharStr[length] != 0) ++length;
    ++length;
  } else {
    length = static_cast<size_t>(cchWideChar);
  }
  bool invalid = false;
  std::u32string points = winsim::DecodeUtf16(std::u16string_view(lpWideCharStr, length), invalid);
  std::string out;
  if (cp == CP_UTF8) {
    if (invalid && (dwFlags & WC_ERR_INVALID_CHARS)) {
      SetLastError(winsim::ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
    out = winsim::EncodeUtf8(points);
  } else {
    bool usedDefault = false;
    std::string defaultChar = lpDefaultChar ? std::string(1, lpDefaultChar[0]) : std::string("?");
    if (!winsim::EncodeCodePage(cp, points, defaultChar, out, usedDefault)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
  }
  if (cbMultiByte == 0) return static_cast<int>(out.size());
  if (out.size() > static_cast<size_t>(cbMultiByte)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(lpMultiByteStr, out.data(), out.size());
  return static_cast<int>(out.size());
}

extern "C" int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  long long product = static_cast<long long>(nNumber) * nNumerator;
  // Rounded half away from zero, as the platform does.
  long long half = (nDenominator < 0 ? -nDenominator : nDenominator) / 2;
  long long result = ((product < 0) != (nDenominator < 0)) ? (product - half) / nDenominator
                                                            : (product + half) / nDenominator;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

#include "UrlParse.h"

#include <strings.h>

#include <cctype>
#include <vector>

#include "win32/Unsupported.h"

namespace winsim {

namespace {

struct KnownScheme {
  const char* name;
  INTERNET_SCHEME id;
  INTERNET_PORT defaultPort;
};

// The schemes the system's addresses use; the platform knows more.
constexpr KnownScheme kSchemes[] = {
    {"http", INTERNET_SCHEME_HTTP, INTERNET_DEFAULT_HTTP_PORT},
    {"https", INTERNET_SCHEME_HTTPS, INTERNET_DEFAULT_HTTPS_PORT},
    {"ftp", INTERNET_SCHEME_FTP, INTERNET_DEFAULT_FTP_PORT},
};
constexpr const char* kUnsupportedSchemes[] = {"file",  "gopher",     "news",     "mailto",
                                               "socks", "javascript", "vbscript", "res"};

bool IsSchemeChar(char c, bool first) {
  unsigned char u = static_cast<unsigned char>(c);
  return std::isalpha(u) || (!first && (std::isdigit(u) || c == '+' || c == '-' || c == '.'));
}

// Length of the scheme in front of ':', or 0 when the address has none.
size_t SchemeLength(std::string_view url) {
  size_t i = 0;
  while (i < url.size() && IsSchemeChar(url[i], i == 0)) ++i;
  return (i > 0 && i < url.size() && url[i] == ':') ? i : 0;
}

bool SameName(std::string_view a, const char* b) {
  std::string_view other(b);
  return a.size() == other.size() && strncasecmp(a.data(), b, a.size()) == 0;
}

const KnownScheme* FindScheme(std::string_view scheme) {
  for (const KnownScheme& known : kSchemes) {
    if (SameName(scheme, known.name)) return &known;
  }
  for (const char* name : kUnsupportedSchemes) {
    if (SameName(scheme, name)) WINSIM_UNSUPPORTED("this scheme");
  }
  return nullptr;
}

bool ParsePort(std::string_view text, INTERNET_PORT& port) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 65535) return false;
  port = static_cast<INTERNET_PORT>(value);
  return true;
}

DWORD SplitAuthority(std::string_view authority, UrlParts& parts) {
  size_t at = authority.rfind('@');
  if (at != std::string_view::npos) {
    std::string_view user = authority.substr(0, at);
    size_t colon = user.find(':');
    parts.userName = user.substr(0, colon);
    if (colon != std::string_view::npos) parts.password = user.substr(colon + 1);
    authority = authority.substr(at + 1);
  }
  if (!authority.empty() && authority[0] == '[') {
    WINSIM_UNSUPPORTED("literal IPv6 hosts");
    return ERROR_INTERNET_INVALID_URL;
  }
  size_t colon = authority.find(':');
  parts.host = authority.substr(0, colon);
  if (colon != std::string_view::npos && !ParsePort(authority.substr(colon + 1), parts.port)) {
    return ERROR_INTERNET_INVALID_URL;
  }
  return parts.host.empty() ? ERROR_INTERNET_INVALID_URL : 0;
}

bool IsUnsafe(unsigned char c) {
  static constexpr std::string_view kUnsafe = "\"<>`{}|^";
  return c <= 0x20 || c >= 0x7F || kUnsafe.find(static_cast<char>(c)) != std::string_view::npos;
}

void AppendEscaped(std::string_view text, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (IsUnsafe(u)) {
      out.push_back('%');
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 0xF]);
    } else {
      out.push_back(c);
    }
  }
}

// "/a/./b/../c" -> "/a/c": the dot segments of a hierarchical path.
std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> kept;
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view segment = path.substr(start, end - start);
    bool last = end == path.size();
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
      if (last) kept.push_back("");
    } else if (segment == ".") {
      if (last) kept.push_back("");
    } else {
      kept.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (std::string_view segment : kept) {
    out.push_back('/');
    out.append(segment);
  }
  return out.empty() ? std::string("/") : out;
}

void TrimTrailingBlanks(std::string_view& text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
}

// The part of a hierarchical address in front of its path: "scheme://host:port".
size_t PathStart(std::string_view head, size_t schemeLength) {
  size_t afterScheme = schemeLength + 1;
  if (head.substr(afterScheme, 2) != "//") return std::string_view::npos;
  return head.find('/', afterScheme + 2);
}

}  // namespace

DWORD SplitUrl(std::string_view url, UrlParts& parts) {
  size_t schemeLength = SchemeLength(url);
  if (schemeLength == 0) return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
  parts.scheme = url.substr(0, schemeLength);
  const KnownScheme* known = FindScheme(parts.scheme);
  if (!known) return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
  parts.schemeId = known->id;
  parts.port = known->defaultPort;
  std::string_view rest = url.substr(schemeLength + 1);
  if (rest.substr(0, 2) != "//") return ERROR_INTERNET_INVALID_URL;
  rest.remove_prefix(2);
  size_t authorityEnd = rest.find_first_of("/?#");
  if (DWORD error = SplitAuthority(rest.substr(0, authorityEnd), parts)) return error;
  if (authorityEnd == std::string_view::npos) return 0;
  rest = rest.substr(authorityEnd);
  size_t extra = rest.find_first_of("?#");
  parts.path = rest.substr(0, extra);
  if (extra != std::string_view::npos) parts.extra = rest.substr(extra);
  return 0;
}

DWORD CanonicalUrl(std::string_view url, bool browserMode, std::string& out) {
  size_t schemeLength = SchemeLength(url);
  if (schemeLength == 0) return ERROR_INTERNET_INVALID_URL;
  size_t tailStart = url.find_first_of("?#");
  std::string_view head = url.substr(0, tailStart);
  std::string_view tail = tailStart == std::string_view::npos ? std::string_view() : url.substr(tailStart);
  if (!browserMode) {
    TrimTrailingBlanks(tail.empty() ? head : tail);
  } else if (tail.empty()) {
    TrimTrailingBlanks(head);
  }
  out.clear();
  size_t pathStart = PathStart(head, schemeLength);
  if (pathStart == std::string_view::npos) {
    AppendEscaped(head, out);
  } else {
    AppendEscaped(head.substr(0, pathStart), out);
    AppendEscaped(RemoveDotSegments(head.substr(pathStart)), out);
  }
  if (browserMode) {
    out.append(tail);
  } else {
    AppendEscaped(tail, out);
  }
  return 0;
}

}  // namespace winsim

#include "UrlResolver.h"

#include <cctype>
#include <vector>

namespace winsim::browser {

namespace {

struct Address {
  std::string origin;  // "scheme://authority"
  std::string path;
  std::string query;  // with its "?"
};

std::string WithoutFragment(const std::string& url) { return url.substr(0, url.find('#')); }

// "scheme:" at the start, as RFC 3986 spells a scheme.
bool HasScheme(const std::string& url) {
  if (url.empty() || !std::isalpha(static_cast<unsigned char>(url[0]))) return false;
  for (char c : url) {
    if (c == ':') return true;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

bool Split(const std::string& url, Address& out) {
  size_t scheme = url.find("://");
  if (scheme == std::string::npos || !HasScheme(url)) return false;
  size_t pathStart = url.find_first_of("/?", scheme + 3);
  if (pathStart == std::string::npos) pathStart = url.size();
  size_t queryStart = url.find('?', pathStart);
  if (queryStart == std::string::npos) queryStart = url.size();
  out.origin = url.substr(0, pathStart);
  out.path = url.substr(pathStart, queryStart - pathStart);
  out.query = url.substr(queryStart);
  if (out.path.empty()) out.path.push_back('/');
  return true;
}

// "." and ".." segments removed, as RFC 3986 does after merging.
std::string RemoveDotSegments(const std::string& path) {
  std::vector<std::string> kept;
  size_t start = 1;
  bool trailingSlash = false;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    trailingSlash = segment == "." || segment == "..";
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (segment != ".") {
      kept.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& segment : kept) out += "/" + segment;
  if (trailingSlash || out.empty()) out += "/";
  return out;
}

}  // namespace

std::string ResolveUrl(const std::string& base, const std::string& reference) {
  const std::string ref = WithoutFragment(reference);
  if (HasScheme(ref)) return ref;
  Address page;
  if (!Split(WithoutFragment(base), page)) return ref;
  if (ref.empty()) return page.origin + page.path + page.query;
  if (ref.rfind("//", 0) == 0) return page.origin.substr(0, page.origin.find("//")) + ref;
  const size_t queryStart = std::min(ref.find('?'), ref.size());
  const std::string refPath = ref.substr(0, queryStart), refQuery = ref.substr(queryStart);
  if (refPath.empty()) return page.origin + page.path + refQuery;
  if (refPath[0] == '/') return page.origin + RemoveDotSegments(refPath) + refQuery;
  const std::string folder = page.path.substr(0, page.path.rfind('/') + 1);
  return page.origin + RemoveDotSegments(folder + refPath) + refQuery;
}

bool IsAbsoluteUrl(const std::string& url) { return HasScheme(url); }

std::string WithScheme(const std::string& url) {
  if (HasScheme(url) || url.empty()) return url;
  return "http://" + url;
}

}  // namespace winsim::browser

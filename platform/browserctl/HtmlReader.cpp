#include "HtmlReader.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>

#include "win32/CodePage.h"

namespace winsim::browser {

namespace {

std::string Lower(std::string_view text) {
  std::string out;
  for (char c : text) out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// A character reference's code point, in UTF-8; one that names no character
// gives the replacement character.
void AppendCodePoint(std::string& out, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
  std::u16string units;
  if (cp < 0x10000) {
    units.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    units.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
  out += Utf16ToUtf8(units);
}

std::optional<unsigned long> EntityValue(std::string_view name) {
  static const std::map<std::string, unsigned long, std::less<>> named = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    std::string digits(name.substr(hex ? 2 : 1));
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    if (*end) return std::nullopt;
    return value;
  }
  if (auto it = named.find(name); it != named.end()) return it->second;
  return std::nullopt;
}

// Text with "&name;" and "&#n;" decoded; an unknown entity stays as written.
std::string Decoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    std::optional<unsigned long> value;
    if (semicolon != std::string_view::npos && semicolon - i <= 10) value = EntityValue(text.substr(i + 1, semicolon - i - 1));
    if (!value) {
      out.push_back(text[i]);
      continue;
    }
    AppendCodePoint(out, *value);
    i = semicolon;
  }
  return out;
}

std::string Collapsed(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (IsBlank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out.push_back(' ');
    blank = false;
    out.push_back(c);
  }
  return out;
}

struct Tag {
  std::string name;  // lower case, "/a" for an end tag
  std::map<std::string, std::string> attributes;
  size_t end = 0;  // just past the '>'
};

// The tag at `at` ('<'); attribute values decoded.
Tag ReadTag(std::string_view html, size_t at) {
  Tag tag;
  size_t i = at + 1;
  size_t nameEnd = i;
  while (nameEnd < html.size() && !IsBlank(html[nameEnd]) && html[nameEnd] != '>') ++nameEnd;
  tag.name = Lower(html.substr(i, nameEnd - i));
  if (!tag.name.empty() && tag.name.back() == '/') tag.name.pop_back();
  i = nameEnd;
  while (i < html.size() && html[i] != '>') {
    while (i < html.size() && (IsBlank(html[i]) || html[i] == '/')) ++i;
    size_t nameStart = i;
    while (i < html.size() && !IsBlank(html[i]) && html[i] != '=' && html[i] != '>') ++i;
    std::string name = Lower(html.substr(nameStart, i - nameStart));
    while (i < html.size() && IsBlank(html[i])) ++i;
    std::string value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      while (i < html.size() && IsBlank(html[i])) ++i;
      const char quote = i < html.size() && (html[i] == '"' || html[i] == '\'') ? html[i] : 0;
      size_t valueStart = quote ? ++i : i;
      while (i < html.size() && (quote ? html[i] != quote : !IsBlank(html[i]) && html[i] != '>')) ++i;
      value = Decoded(html.substr(valueStart, i - valueStart));
      if (quote && i < html.size()) ++i;
    }
    if (!name.empty()) tag.attributes.emplace(name, value);
  }
  tag.end = std::min(html.size(), i + 1);
  return tag;
}

// Where the content of a raw-text element (script, style) ends.
size_t SkipRawText(std::string_view html, size_t from, const std::string& name) {
  const std::string lowered = Lower(html.substr(from));
  size_t close = lowered.find("</" + name);
  return close == std::string::npos ? html.size() : from + close;
}

}  // namespace

HtmlDocument ReadHtml(std::string_view html) {
  HtmlDocument doc;
  std::string titleText, linkText;
  bool inTitle = false;
  std::optional<std::string> openLink;
  size_t i = 0;
  while (i < html.size()) {
    size_t lt = html.find('<', i);
    std::string_view text = html.substr(i, (lt == std::string_view::npos ? html.size() : lt) - i);
    if (inTitle) titleText += text;
    if (openLink) linkText += text;
    if (lt == std::string_view::npos) break;
    if (html.substr(lt, 4) == "<!--") {
      size_t close = html.find("-->", lt + 4);
      i = close == std::string_view::npos ? html.size() : close + 3;
      continue;
    }
    Tag tag = ReadTag(html, lt);
    i = tag.end;
    if (tag.name == "script" || tag.name == "style") {
      i = SkipRawText(html, i, tag.name);
    } else if (tag.name == "title") {
      inTitle = true;
    } else if (tag.name == "/title") {
      inTitle = false;
    } else if (tag.name == "a" || (tag.name == "/a" && openLink)) {
      if (openLink) doc.links.push_back({Collapsed(Decoded(linkText)), *openLink});
      openLink.reset();
      linkText.clear();
      if (auto href = tag.attributes.find("href"); tag.name == "a" && href != tag.attributes.end()) openLink = href->second;
    }
  }
  if (openLink) doc.links.push_back({Collapsed(Decoded(linkText)), *openLink});
  doc.title = Collapsed(Decoded(titleText));
  return doc;
}

}  // namespace winsim::browser

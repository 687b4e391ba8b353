#include "PageLoader.h"

#include "HtmlReader.h"
#include "PageFetcher.h"
#include "UrlResolver.h"
#include "win32/CodePage.h"

namespace winsim::browser {

namespace {

constexpr char kAboutBlank[] = "about:blank";

std::string Utf8ToAnsi(const std::string& text) { return Utf16ToAnsi(Utf8ToUtf16(text)); }

bool IsUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Pages are read as UTF-8; a page that is not is taken in the ANSI code page.
std::string PageText(const std::string& body) { return IsUtf8(body) ? body : AnsiToUtf8(body); }

PageContent ErrorContent(const std::string& url, const std::string& failure) {
  return {"The page cannot be displayed", {{Utf8ToAnsi(url), ""}, {failure, ""}}};
}

PageContent ContentOf(const std::string& url, const HtmlDocument& doc) {
  PageContent content;
  content.heading = Utf8ToAnsi(doc.title.empty() ? url : doc.title);
  for (const HtmlLink& link : doc.links) {
    const std::string target = ResolveUrl(url, link.href);
    content.lines.push_back({Utf8ToAnsi(link.text.empty() ? target : link.text), target});
  }
  return content;
}

}  // namespace

PageContent LoadPage(const std::string& url, bool reload) {
  if (url == kAboutBlank) return {};
  FetchedPage page = FetchPage(Utf8ToAnsi(url), reload);
  if (!page.ok) return ErrorContent(url, page.failure);
  return ContentOf(url, ReadHtml(PageText(page.body)));
}

}  // namespace winsim::browser

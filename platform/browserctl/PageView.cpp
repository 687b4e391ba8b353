#include "PageView.h"

#include "gdi/SolidFill.h"
#include "gdi/WinGdi.h"
#include "ole/DocHostUIHandler.h"

namespace winsim::browser {

namespace {

constexpr int kBorder = 2;
constexpr int kScrollBarWidth = 17;
constexpr int kMargin = 12;
constexpr int kHeadingHeight = 28;
constexpr int kLineHeight = 22;
constexpr int kTextTop = 3;
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kHeadingColour = RGB(0, 0, 0);
constexpr COLORREF kLinkColour = RGB(0, 0, 204);
constexpr COLORREF kTextColour = RGB(64, 64, 64);
// The sunken edge: shadow outside and dark shadow inside on the top and left,
// highlight and light on the bottom and right.
constexpr COLORREF kShadow = RGB(160, 160, 160);
constexpr COLORREF kDarkShadow = RGB(105, 105, 105);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kLight = RGB(227, 227, 227);
constexpr COLORREF kScrollTrack = RGB(240, 240, 240);
constexpr COLORREF kScrollThumb = RGB(205, 205, 205);

HFONT MakeFont(int height, int weight) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  return CreateFontIndirectA(&font);
}

void SunkenEdge(HDC hdc, const RECT& r) {
  gdi::FillSolidRect(hdc, {r.left, r.top, r.right, r.top + 1}, kShadow);
  gdi::FillSolidRect(hdc, {r.left, r.top, r.left + 1, r.bottom}, kShadow);
  gdi::FillSolidRect(hdc, {r.left, r.bottom - 1, r.right, r.bottom}, kHighlight);
  gdi::FillSolidRect(hdc, {r.right - 1, r.top, r.right, r.bottom}, kHighlight);
  gdi::FillSolidRect(hdc, {r.left + 1, r.top + 1, r.right - 1, r.top + 2}, kDarkShadow);
  gdi::FillSolidRect(hdc, {r.left + 1, r.top + 1, r.left + 2, r.bottom - 1}, kDarkShadow);
  gdi::FillSolidRect(hdc, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, kLight);
  gdi::FillSolidRect(hdc, {r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, kLight);
}

}  // namespace

PageView::PageView() : m_headingFont(MakeFont(-18, FW_BOLD)), m_textFont(MakeFont(-14, FW_NORMAL)) {}

PageView::~PageView() {
  DeleteObject(m_headingFont);
  DeleteObject(m_textFont);
}

// The page's own area: inside the border, left of the scroll-bar strip.
RECT PageView::PaperRect(const RECT& client) const {
  RECT r = client;
  if (!(m_hostFlags & DOCHOSTUIFLAG_NO3DBORDER)) InflateRect(&r, -kBorder, -kBorder);
  if (!(m_hostFlags & DOCHOSTUIFLAG_SCROLL_NO)) r.right -= kScrollBarWidth;
  return r;
}

std::vector<RECT> PageView::LineRects(const RECT& client) const {
  const RECT paper = PaperRect(client);
  std::vector<RECT> rects;
  int top = paper.top + kMargin + kHeadingHeight;
  for (size_t i = 0; i < m_content.lines.size(); ++i, top += kLineHeight) {
    rects.push_back({paper.left + kMargin, top, paper.right - kMargin, top + kLineHeight});
  }
  return rects;
}

int PageView::LinkAt(const RECT& client, POINT p) const {
  const RECT paper = PaperRect(client);
  if (!PtInRect(&paper, p)) return -1;
  const std::vector<RECT> rects = LineRects(client);
  for (size_t i = 0; i < rects.size(); ++i) {
    if (PtInRect(&rects[i], p) && !m_content.lines[i].target.empty()) return static_cast<int>(i);
  }
  return -1;
}

void PageView::PaintChrome(HDC hdc, const RECT& client) const {
  if (!(m_hostFlags & DOCHOSTUIFLAG_NO3DBORDER)) SunkenEdge(hdc, client);
  if (m_hostFlags & DOCHOSTUIFLAG_SCROLL_NO) return;
  const RECT paper = PaperRect(client);
  const RECT track{paper.right, paper.top, paper.right + kScrollBarWidth, paper.bottom};
  gdi::FillSolidRect(hdc, track, kScrollTrack);
  gdi::FillSolidRect(hdc, {track.left + 2, track.top + kScrollBarWidth, track.right - 2, track.top + 3 * kScrollBarWidth},
                     kScrollThumb);
}

void PageView::Paint(HDC hdc, const RECT& client) const {
  const RECT paper = PaperRect(client);
  gdi::FillSolidRect(hdc, paper, kPaper);
  PaintChrome(hdc, client);
  SetBkMode(hdc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(hdc, m_headingFont);
  SetTextColor(hdc, kHeadingColour);
  // Text runs from the top of its line; what passes the paper's edge is cut.
  const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT;
  RECT heading{paper.left + kMargin, paper.top + kMargin, paper.right - kMargin, paper.top + kMargin + kHeadingHeight};
  if (IntersectRect(&heading, &heading, &paper)) DrawTextA(hdc, m_content.heading.c_str(), -1, &heading, format);
  SelectObject(hdc, m_textFont);
  const std::vector<RECT> rects = LineRects(client);
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT line = rects[i];
    line.top += kTextTop;
    if (!IntersectRect(&line, &line, &paper)) break;
    SetTextColor(hdc, m_content.lines[i].target.empty() ? kTextColour : kLinkColour);
    DrawTextA(hdc, m_content.lines[i].text.c_str(), -1, &line, format);
  }
  SelectObject(hdc, previous);
}

}  // namespace winsim::browser

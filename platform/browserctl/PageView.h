// What the control shows of a page: white paper with the heading (the
// page's title) and then one line for each link, clipped to the control.
// The host decides whether the control draws a 3-D border and a scroll-bar
// strip (DOCHOSTUIINFO flags).
#pragma once

#include <string>
#include <vector>

#include "win32/WinUser.h"

namespace winsim::browser {

struct PageLine {
  std::string text;    // ANSI code page
  std::string target;  // absolute address a click follows; empty for plain text
};

struct PageContent {
  std::string heading;  // ANSI code page
  std::vector<PageLine> lines;
};

class PageView {
 public:
  PageView();
  ~PageView();
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

  void SetContent(PageContent content) { m_content = std::move(content); }
  const PageContent& Content() const { return m_content; }
  void SetHostFlags(DWORD flags) { m_hostFlags = flags; }

  void Paint(HDC hdc, const RECT& client) const;
  // The link line under a client point, -1 for none.
  int LinkAt(const RECT& client, POINT p) const;
  // Where each line is drawn, in client coordinates.
  std::vector<RECT> LineRects(const RECT& client) const;

 private:
  RECT PaperRect(const RECT& client) const;
  void PaintChrome(HDC hdc, const RECT& client) const;

  HFONT m_headingFont = nullptr;
  HFONT m_textFont = nullptr;
  PageContent m_content;
  DWORD m_hostFlags = 0;
};

}  // namespace winsim::browser

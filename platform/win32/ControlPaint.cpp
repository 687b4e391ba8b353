#include "ControlPaint.h"

#include <sstream>
#include <string>

#include "Unsupported.h"
#include "gdi/SolidFill.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(160, 160, 160);
constexpr COLORREF kDarkShadow = RGB(105, 105, 105);
constexpr COLORREF kDefaultFrame = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGrayText = RGB(109, 109, 109);
// A group box's text starts this far in from its frame's left edge.
constexpr int kGroupTextIndent = 8;

constexpr DWORD kStaticTypeMask = 0x1F;

RECT ClientRectOf(const Window* w) {
  RECT r;
  GetClientRect(w->handle, &r);
  return r;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) { gdi::FillSolidRect(dc, r, colour); }

// Light on the top and left, dark below and right: a raised edge.
void RaisedEdge(HDC dc, const RECT& r) {
  Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, kHighlight);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, kHighlight);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, kDarkShadow);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, kDarkShadow);
  Fill(dc, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, kShadow);
  Fill(dc, {r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, kShadow);
}

// A dotted rectangle: every other pixel of its outline.
void FocusDots(HDC dc, const RECT& r) {
  for (int x = r.left; x < r.right; x += 2) {
    Fill(dc, {x, r.top, x + 1, r.top + 1}, kText);
    Fill(dc, {x, r.bottom - 1, x + 1, r.bottom}, kText);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    Fill(dc, {r.left, y, r.left + 1, y + 1}, kText);
    Fill(dc, {r.right - 1, y, r.right, y + 1}, kText);
  }
}

// Selects the font for the lifetime of the object.
class FontSelection {
 public:
  FontSelection(HDC dc, HFONT font) : m_dc(dc), m_previous(font ? SelectObject(dc, font) : nullptr) {}
  ~FontSelection() {
    if (m_previous) SelectObject(m_dc, m_previous);
  }
  FontSelection(const FontSelection&) = delete;
  FontSelection& operator=(const FontSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

bool Enabled(const Window* w) { return !(w->style & WS_DISABLED); }

HBRUSH StaticBrush(const Window* w, HDC dc) {
  return reinterpret_cast<HBRUSH>(
      SendMessageA(w->parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w->handle)));
}

}  // namespace

void PaintPushButton(const Window* w, HDC dc, HFONT font, ButtonLook look) {
  RECT r = ClientRectOf(w);
  Fill(dc, r, GetSysColor(COLOR_BTNFACE));
  if ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    gdi::FrameSolidRect(dc, r, 1, kDefaultFrame);
    InflateRect(&r, -1, -1);
  }
  if (look.pushed) {
    gdi::FrameSolidRect(dc, r, 1, kShadow);
  } else {
    RaisedEdge(dc, r);
  }
  FontSelection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled(w) ? kText : kGrayText);
  RECT text = r;
  InflateRect(&text, -2, -2);
  // A pushed button's face sinks: its text moves down and right by a pixel.
  if (look.pushed) OffsetRect(&text, 1, 1);
  DrawTextA(dc, w->text.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (look.focused) {
    RECT dots = r;
    InflateRect(&dots, -3, -3);
    FocusDots(dc, dots);
  }
}

void PaintGroupBox(const Window* w, HDC dc, HFONT font) {
  const RECT r = ClientRectOf(w);
  FontSelection selected(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, w->text.c_str(), static_cast<int>(w->text.size()), &extent);
  HBRUSH brush = StaticBrush(w, dc);
  // An etched frame: a shadow line with a light line inside it.
  const RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
  gdi::FrameSolidRect(dc, {frame.left + 1, frame.top + 1, frame.right, frame.bottom}, 1, kHighlight);
  gdi::FrameSolidRect(dc, {frame.left, frame.top, frame.right - 1, frame.bottom - 1}, 1, kShadow);
  if (w->text.empty()) return;
  RECT text{r.left + kGroupTextIndent, r.top, r.left + kGroupTextIndent + extent.cx + 4, r.top + extent.cy};
  if (brush) FillRect(dc, &text, brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled(w) ? kText : kGrayText);
  DrawTextA(dc, w->text.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE);
}

// The text breaks into lines where it has line breaks; the system's static
// texts fit their boxes, so no word wrapping is needed.
void PaintStaticText(const Window* w, HDC dc, HFONT font) {
  const DWORD align = w->style & kStaticTypeMask;
  if (align > SS_RIGHT) {
    WINSIM_UNSUPPORTED("static controls other than text");
    return;
  }
  const RECT r = ClientRectOf(w);
  HBRUSH brush = StaticBrush(w, dc);
  if (brush) FillRect(dc, &r, brush);
  FontSelection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled(w)) SetTextColor(dc, kGrayText);
  const UINT format = DT_SINGLELINE | (align == SS_CENTER ? DT_CENTER : align == SS_RIGHT ? DT_RIGHT : 0);
  std::istringstream lines(w->text);
  RECT line = r;
  for (std::string text; std::getline(lines, text) && line.top < r.bottom;) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    RECT measured = line;
    const int height = DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    DrawTextA(dc, text.c_str(), -1, &line, format);
    line.top += height;
  }
}

}  // namespace winsim

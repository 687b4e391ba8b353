#include "NonClientPaint.h"

#include "Messages.h"
#include "desktop/Desktop.h"
#include "gdi/SolidFill.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

constexpr COLORREF kFrame = RGB(212, 208, 200);
// A thin border (WS_BORDER alone) is a line in the window frame colour.
constexpr COLORREF kThinBorder = RGB(0, 0, 0);
constexpr COLORREF kActiveCaption = RGB(10, 36, 106);
constexpr COLORREF kInactiveCaption = RGB(128, 128, 128);
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr COLORREF kButtonFace = RGB(212, 208, 200);
constexpr COLORREF kGlyph = RGB(0, 0, 0);

void Fill(HDC dc, const RECT& r, COLORREF color) { gdi::FillSolidRect(dc, r, color); }

// The frame around the client area, in window coordinates.
void PaintBorders(HDC dc, const RECT& window, const RECT& client) {
  Fill(dc, {0, 0, window.right, client.top}, kFrame);
  Fill(dc, {0, client.bottom, window.right, window.bottom}, kFrame);
  Fill(dc, {0, client.top, client.left, client.bottom}, kFrame);
  Fill(dc, {client.right, client.top, window.right, client.bottom}, kFrame);
}

void PaintButton(HDC dc, RECT r, const char* glyph) {
  InflateRect(&r, -2, -2);
  Fill(dc, r, kButtonFace);
  SetTextColor(dc, kGlyph);
  DrawTextA(dc, glyph, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void PaintCaption(HDC dc, const Window* w, const RECT& caption) {
  bool active = Desktop().active == w->handle;
  Fill(dc, caption, active ? kActiveCaption : kInactiveCaption);
  int size = caption.bottom - caption.top;
  RECT text = caption;
  text.left += 4;
  if (w->style & WS_SYSMENU) {
    HICON icon = w->iconSmall ? w->iconSmall : (w->iconBig ? w->iconBig : w->classIcon);
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    if (icon) DrawIconEx(dc, caption.left + 3, caption.top + (size - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    text.left += iconSize + 4;
    RECT button{caption.right - size, caption.top, caption.right, caption.bottom};
    PaintButton(dc, button, "x");
    if (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
      OffsetRect(&button, -size, 0);
      PaintButton(dc, button, (w->style & WS_MAXIMIZE) ? "=" : "o");
      OffsetRect(&button, -size, 0);
      PaintButton(dc, button, "_");
    }
    text.right = button.left - 2;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kCaptionText);
  DrawTextA(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

void PaintDefaultFrame(Window* w) {
  RECT insets = NonClientInsets(w->style, w->exStyle);
  if (insets.left == 0 && insets.top == 0 && insets.right == 0 && insets.bottom == 0) return;
  HDC dc = GetWindowDC(w->handle);
  if (!dc) return;
  RECT window{0, 0, w->width(), w->height()};
  RECT client = w->client;
  OffsetRect(&client, -w->window.left, -w->window.top);
  const bool thin = insets.left == 1 && insets.top == 1;
  if (thin) {
    gdi::FrameSolidRect(dc, window, 1, kThinBorder);
  } else {
    PaintBorders(dc, window, client);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    RECT caption{insets.left, insets.left, window.right - insets.right, insets.top};
    PaintCaption(dc, w, caption);
  }
  ReleaseDC(w->handle, dc);
}

}  // namespace winsim

// Fonts and text: DrawTextA for single lines, with alignment, ellipses and
// the DC's colours and background mode.
#include <cstring>

#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "gdi/TextRenderer.h"
#include "win32/CodePage.h"
#include "win32/Unsupported.h"

using namespace winsim;
using namespace winsim::gdi;

namespace {

constexpr UINT kSupportedFormat = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP |
                                  DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;

std::u32string CodePoints(LPCSTR text, int count) {
  const std::string ansi = count < 0 ? std::string(text) : std::string(text, static_cast<size_t>(count));
  const std::u16string wide = AnsiToUtf16(ansi);
  std::u32string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    out.push_back(c);
  }
  return out;
}

// "&x" marks a mnemonic and "&&" stands for "&".
std::u32string WithoutPrefixes(const std::u32string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'&' && i + 1 < text.size()) ++i;
    out.push_back(text[i]);
  }
  return out;
}

// The longest start of the text that fits with "..." after it.
std::u32string Ellipsized(TextRenderer& r, const std::u32string& text, int width) {
  if (r.Width(text) <= width) return text;
  std::u32string cut = text;
  while (!cut.empty() && r.Width(cut + U"...") > width) cut.pop_back();
  return cut + U"...";
}

const LOGFONTA& FontOf(const DeviceContext& dc) {
  static const LOGFONTA fallback{};
  FontObject* f = FindFont(dc.font);
  return f ? f->logFont : fallback;
}

}  // namespace

extern "C" HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
  if (!lplf) return nullptr;
  auto font = std::make_unique<FontObject>();
  font->logFont = *lplf;
  return static_cast<HFONT>(AddObject(std::move(font)));
}

extern "C" BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc || !lpString || c < 0 || !psizl) return FALSE;
  TextRenderer& r = TextRenderer::For(FontOf(*dc));
  *psizl = {r.Width(CodePoints(lpString, c)), r.Metrics().Height()};
  return TRUE;
}

extern "C" int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc || !lpchText || !lprc) return 0;
  if ((format & ~kSupportedFormat) || !(format & DT_SINGLELINE)) {
    WINSIM_UNSUPPORTED("text formats other than single lines");
    return 0;
  }
  TextRenderer& r = TextRenderer::For(FontOf(*dc));
  const FontMetrics m = r.Metrics();
  std::u32string text = CodePoints(lpchText, cchText);
  if (!(format & DT_NOPREFIX)) text = WithoutPrefixes(text);
  const RECT box = *lprc;
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) text = Ellipsized(r, text, box.right - box.left);
  const int width = r.Width(text);
  if (format & DT_CALCRECT) {
    lprc->right = lprc->left + width;
    lprc->bottom = lprc->top + m.Height();
    return m.Height();
  }
  const int x = (format & DT_CENTER) ? (box.left + box.right - width) / 2 : (format & DT_RIGHT) ? box.right - width : box.left;
  const int top = (format & DT_VCENTER) ? (box.top + box.bottom - m.Height()) / 2
                  : (format & DT_BOTTOM) ? box.bottom - m.Height()
                                         : box.top;
  if (dc->surface) {
    if (dc->bkMode == OPAQUE) FillSolid(*dc, {x, top, x + width, top + m.Height()}, ArgbFromColorRef(dc->bkColour));
    RECT clip = DeviceRect(*dc, (format & DT_NOCLIP) ? RECT{-32768, -32768, 32767, 32767} : box);
    r.Draw(*dc->surface, clip, x + dc->origin.x, top + m.ascent + dc->origin.y, text, ArgbFromColorRef(dc->textColour));
  } else {
    WINSIM_UNSUPPORTED("text on the display or an information context");
  }
  return (format & (DT_VCENTER | DT_BOTTOM)) ? top + m.Height() - box.top : m.Height();
}

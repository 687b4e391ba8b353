// Text drawn with real glyphs: single lines, centred vertically, cut with an
// ellipsis when too long, in the DC's text colour and background mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/Windows.h"

namespace {

struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ previous;
  HFONT font;
  HGDIOBJ previousFont;
  Canvas(int w, int h) {
    bitmap = CreateCompatibleBitmap(GetDC(nullptr), w, h);
    previous = SelectObject(dc, bitmap);
    LOGFONTA lf{};
    lf.lfHeight = -13;  // 10 points at 96 dpi
    std::strcpy(lf.lfFaceName, "SimHei");
    font = CreateFontIndirectA(&lf);
    previousFont = SelectObject(dc, font);
  }
  ~Canvas() {
    SelectObject(dc, previousFont);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // The columns and rows that hold the colour, as a box.
  RECT Extent(COLORREF c, int w, int h) {
    RECT r{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (GetPixel(dc, x, y) == c) r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x), std::max<LONG>(r.bottom, y)};
    return r;
  }
};

constexpr UINT kCaption = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;

TEST(Text, CaptionTextIsCentredVerticallyAndStaysInItsRectangle) {
  Canvas c(200, 32);
  SetTextColor(c.dc, RGB(255, 255, 255));
  SetBkMode(c.dc, TRANSPARENT);
  RECT rc{30, 0, 120, 32};
  const int bottom = DrawTextA(c.dc, "Duskmere \xe6\x9a\xae\xe6\xb9\x96 42", -1, &rc, kCaption);
  const RECT ink = c.Extent(RGB(255, 255, 255), 200, 32);
  ASSERT_GE(ink.right, ink.left) << "no glyph drawn";
  EXPECT_GE(ink.left, 30);
  EXPECT_LT(ink.right, 120);
  // The ink sits in the middle: as much room above as below, give or take
  // the face's descent.
  EXPECT_NEAR(ink.top, 31 - ink.bottom, 5);
  EXPECT_GT(bottom, 16);
  EXPECT_LE(bottom, 32);
}

TEST(Text, TooLongTextEndsInAnEllipsisWithinTheRectangle) {
  const std::string text = "A caption much longer than the room it is given";
  const int width = 300, height = 32;
  // Draws into a fresh canvas and returns its pixels.
  auto render = [&](const std::string& s, int right, UINT format) {
    Canvas c(width, height);
    SetTextColor(c.dc, RGB(255, 255, 255));
    SetBkMode(c.dc, TRANSPARENT);
    RECT rc{0, 0, right, height};
    DrawTextA(c.dc, s.c_str(), -1, &rc, format);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(c.dc, x, y));
    return pixels;
  };
  Canvas measure(1, 1);
  SIZE full{};
  ASSERT_TRUE(GetTextExtentPoint32A(measure.dc, text.c_str(), static_cast<int>(text.size()), &full));
  const int room = full.cx / 2;
  const auto cut = render(text, room, kCaption);
  // It is the longest start of the text that fits with "..." after it.
  int matches = 0;
  for (size_t n = 1; n < text.size(); ++n) {
    const std::string candidate = text.substr(0, n) + "...";
    SIZE size{};
    GetTextExtentPoint32A(measure.dc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
    if (render(candidate, width, DT_SINGLELINE | DT_VCENTER) == cut) {
      ++matches;
      EXPECT_LE(size.cx, room);
      const std::string longer = text.substr(0, n + 1) + "...";
      GetTextExtentPoint32A(measure.dc, longer.c_str(), static_cast<int>(longer.size()), &size);
      EXPECT_GT(size.cx, room);
    }
  }
  EXPECT_EQ(matches, 1);
}

TEST(Text, AnOpaqueBackgroundFillsBehindTheText) {
  Canvas c(100, 20);
  SetBkColor(c.dc, RGB(0, 0, 200));
  SetBkMode(c.dc, OPAQUE);
  RECT rc{0, 0, 100, 20};
  DrawTextA(c.dc, "Hi", -1, &rc, DT_SINGLELINE);
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(c.dc, 90, 0), RGB(0, 0, 0));
}

}  // namespace

// Block transfers: the raster operations and the colour/monochrome rules that
// colour-keyed drawing is built on.
#include <gtest/gtest.h>

#include "gdi/GdiObjects.h"
#include "win32/Windows.h"

namespace {

// A memory DC holding a new bitmap; both go away with the object.
struct MemoryBitmap {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  MemoryBitmap(int w, int h, int bits) : dc(CreateCompatibleDC(nullptr)) {
    bitmap = bits == 1 ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(GetDC(nullptr), w, h);
    previous = SelectObject(dc, bitmap);
  }
  ~MemoryBitmap() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void Set(int x, int y, COLORREF c) { SetPixel(dc, x, y, c); }
  COLORREF Get(int x, int y) { return GetPixel(dc, x, y); }
};

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 10, 20);
constexpr COLORREF kBlue = RGB(5, 6, 250);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(Raster, ColourToMonochromeMarksTheSourceBackgroundColour) {
  MemoryBitmap colour(3, 1, 32), mono(3, 1, 1);
  colour.Set(0, 0, kKey), colour.Set(1, 0, kRed), colour.Set(2, 0, RGB(255, 0, 254));
  SetBkColor(colour.dc, kKey);
  ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(mono.Get(0, 0), kWhite);  // white is 1
  EXPECT_EQ(mono.Get(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(mono.Get(2, 0), RGB(0, 0, 0));  // no tolerance
}

TEST(Raster, MonochromeToColourTakesTheDestinationColours) {
  MemoryBitmap mono(2, 1, 1), colour(2, 1, 32);
  mono.Set(0, 0, kWhite);  // 1
  mono.Set(1, 0, RGB(0, 0, 0));
  SetBkColor(colour.dc, kRed);
  SetTextColor(colour.dc, kBlue);
  SetBkColor(mono.dc, RGB(1, 2, 3));  // the source's own colours play no part
  ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(colour.Get(0, 0), kRed);
  EXPECT_EQ(colour.Get(1, 0), kBlue);
}

TEST(Raster, OperationsCombineBitsOfSourceAndDestination) {
  struct Case {
    DWORD rop;
    COLORREF expected;
  };
  const COLORREF source = RGB(0xF0, 0x0F, 0x33), dest = RGB(0x3C, 0x3C, 0x55);
  for (const Case& c : {Case{SRCCOPY, source}, Case{SRCAND, RGB(0x30, 0x0C, 0x11)}, Case{SRCPAINT, RGB(0xFC, 0x3F, 0x77)},
                        Case{SRCINVERT, RGB(0xCC, 0x33, 0x66)}}) {
    MemoryBitmap s(1, 1, 32), d(1, 1, 32);
    s.Set(0, 0, source), d.Set(0, 0, dest);
    ASSERT_TRUE(BitBlt(d.dc, 0, 0, 1, 1, s.dc, 0, 0, c.rop));
    EXPECT_EQ(d.Get(0, 0), c.expected) << std::hex << c.rop;
  }
}

TEST(Raster, TransfersAreClippedToBothBitmaps) {
  MemoryBitmap s(2, 2, 32), d(3, 3, 32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) s.Set(x, y, RGB(10 * x + 1, 10 * y + 1, 7));
  ASSERT_TRUE(BitBlt(d.dc, 1, 1, 5, 5, s.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(d.Get(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(d.Get(1, 1), RGB(1, 1, 7));
  EXPECT_EQ(d.Get(2, 2), RGB(11, 11, 7));
  ASSERT_TRUE(BitBlt(d.dc, -1, 0, 2, 1, s.dc, 0, 1, SRCCOPY));
  EXPECT_EQ(d.Get(0, 0), RGB(11, 11, 7));
}

TEST(Raster, StretchingSamplesTheNearestSourcePixel) {
  MemoryBitmap s(2, 1, 32), d(4, 2, 32);
  s.Set(0, 0, kRed), s.Set(1, 0, kBlue);
  ASSERT_TRUE(StretchBlt(d.dc, 0, 0, 4, 2, s.dc, 0, 0, 2, 1, SRCCOPY));
  const COLORREF expected[] = {kRed, kRed, kBlue, kBlue};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(d.Get(x, y), expected[x]) << x << "," << y;
}

TEST(Raster, ABitmapLivesInOneDCAndCannotBeDeletedThere) {
  const size_t before = winsim::gdi::LiveObjectCount();
  HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(first, 4, 4);  // a new memory DC holds a monochrome bitmap
  BITMAP bm{};
  ASSERT_EQ(GetObject(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HGDIOBJ old = SelectObject(first, bitmap);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  SelectObject(first, old);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(first);
  DeleteDC(second);
  EXPECT_EQ(winsim::gdi::LiveObjectCount(), before);
}

}  // namespace

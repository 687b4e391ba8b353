// Drawing the skin's bitmaps: plainly, in parts, stretched, and through a
// key colour that leaves the destination untouched.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "images/DrawColourKeyed.h"
#include "images/MyBitmap.h"

using namespace fixtures;

namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);
constexpr COLORREF kKey = RGB(255, 0, 255);
// The 3 x 2 fixture: red green blue / white black magenta.
const COLORREF kFixture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                 {RGB(255, 255, 255), RGB(0, 0, 0), kKey}};

class Draw : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_bitmap.LoadFromResource(kBitmap24, RT_BITMAP, nullptr, 0)); }
  // Rows of the canvas from (x, y), w x h.
  static std::vector<COLORREF> Area(Canvas& c, int x, int y, int w, int h) {
    std::vector<COLORREF> out;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) out.push_back(c.At(x + i, y + j));
    return out;
  }
  CMyBitmap m_bitmap;
};

TEST_F(Draw, PlainPartAndStretchedCopies) {
  const COLORREF R = kFixture[0][0], G = kFixture[0][1], B = kFixture[0][2];
  const COLORREF W = kFixture[1][0], K = kFixture[1][1], M = kFixture[1][2];
  const RECT part{1, 0, 3, 1};
  const RECT wide{0, 0, 6, 2};
  struct Case {
    const char* name;
    const RECT* part;
    bool stretch;
    std::vector<COLORREF> expected;  // 6 x 2 from (1, 1)
  };
  const Case cases[] = {
      {"whole", nullptr, false, {R, G, B, kGrey, kGrey, kGrey, W, K, M, kGrey, kGrey, kGrey}},
      {"part", &part, false, {G, B, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey}},
      {"stretched", &wide, true, {R, R, G, G, B, B, W, W, K, K, M, M}},
  };
  for (const Case& c : cases) {
    Canvas canvas(8, 4, kGrey);
    EXPECT_TRUE(m_bitmap.DrawPart(canvas.dc(), 1, 1, c.part, c.stretch));
    EXPECT_EQ(Area(canvas, 1, 1, 6, 2), c.expected) << c.name;
    EXPECT_EQ(canvas.At(0, 0), kGrey) << c.name;
  }
}

TEST_F(Draw, TheKeyColourLeavesTheDestinationAndEverythingElseIsExact) {
  Canvas canvas(6, 4, kGrey);
  const Live before = Live::Now();
  const RECT part{1, 0, 3, 2};
  EXPECT_TRUE(m_bitmap.Draw(canvas.dc(), 2, 1, &part, kKey, TRUE, true));
  EXPECT_EQ(Live::Now(), before);
  // Black is a colour like any other; only magenta is the key.
  EXPECT_EQ(Area(canvas, 1, 0, 4, 4), (std::vector<COLORREF>{kGrey, kGrey, kGrey, kGrey,  //
                                                              kGrey, kFixture[0][1], kFixture[0][2], kGrey,  //
                                                              kGrey, kFixture[1][1], kGrey, kGrey,  //
                                                              kGrey, kGrey, kGrey, kGrey}));
  EXPECT_EQ(GetBkColor(*canvas.dc()), RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(*canvas.dc()), RGB(0, 0, 0));

  EXPECT_TRUE(m_bitmap.Draw(canvas.dc(), 2, 1, &part, kKey, FALSE, false));
  EXPECT_EQ(canvas.At(3, 2), kKey) << "without the flag the key colour is copied too";
}

TEST_F(Draw, ADestinationOfAnyColourKeepsItsKeyedPixels) {
  // Red and blue keys also tell whether the key's bytes were read in the
  // right order: the fixture holds each of them beside the other.
  for (COLORREF key : {kKey, kFixture[0][0], kFixture[0][2]}) {
    for (COLORREF under : {RGB(0, 0, 0), RGB(255, 255, 255), kKey, RGB(12, 200, 77)}) {
      Canvas canvas(3, 2, under);
      DrawColourKeyed(*canvas.dc(), 0, 0, 3, 2, static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), 0, 0, key, nullptr);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
          EXPECT_EQ(canvas.At(x, y), kFixture[y][x] == key ? under : kFixture[y][x])
              << x << "," << y << " key " << std::hex << key;
    }
  }
}

// Without a part the whole bitmap is drawn, as wide and as high as it is.
TEST_F(Draw, KeyedWithoutAPartDrawsTheWholeBitmap) {
  const COLORREF R = kFixture[0][0], G = kFixture[0][1], B = kFixture[0][2];
  const COLORREF W = kFixture[1][0], K = kFixture[1][1], _ = kGrey;
  Canvas canvas(5, 4, kGrey);
  EXPECT_TRUE(m_bitmap.Draw(canvas.dc(), 1, 1, nullptr, kKey, TRUE, false));
  EXPECT_EQ(Area(canvas, 0, 0, 5, 4), (std::vector<COLORREF>{_, _, _, _, _,  //
                                                              _, R, G, B, _,  //
                                                              _, W, K, _, _,  //
                                                              _, _, _, _, _}));
}

}  // namespace

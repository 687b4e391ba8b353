// Window regions from a key colour in every pixel format the skin may hold.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Fixtures.h"
#include "images/MyBitmap.h"

using namespace fixtures;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0, 128, 0);

// A colour as a colour table holds it: blue, green, red, 0 in memory.
DWORD TableEntry(COLORREF c) { return (DWORD{GetRValue(c)} << 16) | (DWORD{GetGValue(c)} << 8) | GetBValue(c); }

// A DIB section of the format with the pattern drawn in ('.' key, '#' ink).
HBITMAP Section(int bits, const std::vector<std::string>& rows, COLORREF key = kKey, COLORREF ink = kInk) {
  const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  struct {
    BITMAPINFOHEADER header;
    DWORD table[256];
  } info{};
  info.header = {sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bits), static_cast<DWORD>(bits == 16 ? BI_BITFIELDS : BI_RGB), 0, 0, 0, 0, 0};
  if (bits == 16) info.table[0] = 0xF800, info.table[1] = 0x07E0, info.table[2] = 0x001F;
  if (bits == 8) info.table[0] = TableEntry(key), info.table[1] = TableEntry(ink), info.header.biClrUsed = 2;
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, section);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(dc, x, y, rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#' ? ink : key);
  SelectObject(dc, old);
  DeleteDC(dc);
  return section;
}

// The region as the same kind of pattern.
std::vector<std::string> Pattern(HRGN region, int w, int h) {
  std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (PtInRegion(region, x, y)) rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
  RECT box{};
  if (GetRgnBox(region, &box) != NULLREGION) {
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= w && box.bottom <= h) << "nothing outside the bitmap";
  }
  return rows;
}

std::vector<std::string> Alternating(int width) {
  std::string row;
  for (int x = 0; x < width; ++x) row += x % 2 ? '.' : '#';
  return {row, row.substr(1) + "#"};
}

TEST(RegionFromColourKey, CoversExactlyThePixelsThatDifferFromTheKeyInEveryFormat) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"all key", {"....", "...."}},
      {"no key", {"####", "####", "####"}},
      {"runs to the right edge, single pixels", {".#.#", "##.#", "#..."}},
      {"more runs than rows", Alternating(201)},
  };
  for (int bits : {8, 16, 24, 32}) {
    for (const Case& c : cases) {
      CMyBitmap bitmap;
      bitmap.Attach(Section(bits, c.rows));
      const int w = static_cast<int>(c.rows[0].size()), h = static_cast<int>(c.rows.size());
      const Live before = Live::Now();
      HRGN region = bitmap.RegionFromColourKey(kKey);
      ASSERT_NE(region, nullptr);
      EXPECT_EQ(Pattern(region, w, h), c.rows) << bits << " bits, " << c.name;
      DeleteObject(region);
      EXPECT_EQ(Live::Now(), before) << "all working memory is freed";
    }
  }
}

// Key and ink are each other with red and blue exchanged: a key read in the
// wrong byte order takes the ink for the key.
TEST(RegionFromColourKey, RedAndBlueOfTheKeyAreNotExchanged) {
  const std::vector<std::string> rows = {".#.#", "##.."};
  const COLORREF warm = RGB(200, 40, 16), cold = RGB(16, 40, 200);
  for (int bits : {8, 16, 24, 32}) {
    for (auto [key, ink] : {std::pair{warm, cold}, std::pair{cold, warm}}) {
      CMyBitmap bitmap;
      bitmap.Attach(Section(bits, rows, key, ink));
      HRGN region = bitmap.RegionFromColourKey(key);
      EXPECT_EQ(Pattern(region, 4, 2), rows) << bits << " bits, key " << std::hex << key;
      DeleteObject(region);
    }
  }
}

TEST(RegionFromColourKey, AKeyWithAHighByteMatchesNoPixel) {
  const std::vector<std::string> rows = {"..#", "#.."};
  for (int bits : {24, 32}) {
    CMyBitmap bitmap;
    bitmap.Attach(Section(bits, rows));
    HRGN region = bitmap.RegionFromColourKey(0x01000000 | kKey);
    EXPECT_EQ(Pattern(region, 3, 2), (std::vector<std::string>{"###", "###"})) << bits;
    DeleteObject(region);
  }
}

TEST(RegionFromColourKey, AScreenBitmapGivesTheRegionOfItsPixels) {
  CMyBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromResource(kBitmap24, RT_BITMAP, nullptr, 0));
  HRGN region = bitmap.RegionFromColourKey(kKey);
  EXPECT_EQ(Pattern(region, 3, 2), (std::vector<std::string>{"###", "##."}));
  DeleteObject(region);
}

TEST(RegionFromColourKey, AnEmptyObjectGivesAnEmptyRegion) {
  CMyBitmap bitmap;
  HRGN region = bitmap.RegionFromColourKey(kKey);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
  DeleteObject(region);
}

}  // namespace

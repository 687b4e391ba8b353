// The application icon drawn as the skin draws it: the image nearest the
// size, through its alpha channel.
#include <gtest/gtest.h>

#include "Fixtures.h"

using namespace fixtures;

namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);

// The 32 x 32 image's own pixel (straight BGRA) from the icon file.
uint32_t IconPixel(int x, int y) {
  const std::vector<uint8_t> file = ReadFile(LORVANE_RESOURCES "/128.ico");
  const uint32_t offset = file[18] | (file[19] << 8) | (file[20] << 16) | (static_cast<uint32_t>(file[21]) << 24);
  const size_t at = offset + 40 + static_cast<size_t>((31 - y) * 32 + x) * 4;
  return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<uint32_t>(file[at + 3]) << 24);
}

TEST(Icon, DrawnAtEitherSizeThroughItsAlpha) {
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kIcon));
  ASSERT_NE(icon, nullptr);
  for (int size : {16, 32}) {
    Canvas canvas(40, 40, kGrey);
    const Live before = Live::Now();
    ASSERT_TRUE(::DrawIconEx(*canvas.dc(), 4, 5, icon, size, size, 0, nullptr, DI_NORMAL)) << size;
    EXPECT_EQ(Live::Now(), before);
    EXPECT_EQ(canvas.At(4, 5), kGrey) << "the round icon's corner is clear";
    EXPECT_EQ(canvas.At(3, 5 + size / 2), kGrey) << "nothing left of the icon";
    EXPECT_EQ(canvas.At(4 + size, 5 + size / 2), kGrey) << "nothing right of the icon";
    EXPECT_NE(canvas.At(4 + size / 2, 5 + size / 2), kGrey) << size;
  }
  Canvas canvas(40, 40, kGrey);
  ::DrawIconEx(*canvas.dc(), 4, 5, icon, 32, 32, 0, nullptr, DI_NORMAL);
  const uint32_t own = IconPixel(16, 20);
  ASSERT_EQ(own >> 24, 255u);
  EXPECT_EQ(canvas.At(20, 25), RGB((own >> 16) & 0xFF, (own >> 8) & 0xFF, own & 0xFF));
}

}  // namespace

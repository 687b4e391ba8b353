// Loading the skin's bitmaps: from bitmap resources and from files, every
// failure leaving the object as it was and nothing allocated.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Fixtures.h"
#include "images/MyBitmap.h"

using namespace fixtures;

namespace {

std::vector<COLORREF> PixelsOf(CMyBitmap& bitmap) {
  Canvas canvas(bitmap.Width(), bitmap.Height(), RGB(7, 7, 7));
  bitmap.DrawPart(canvas.dc(), 0, 0, nullptr, false);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(canvas.At(x, y));
  return pixels;
}

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(EnBitmap, ABitmapResourceLoadsPixelForPixel) {
  const Live before = Live::Now();
  {
    CMyBitmap bitmap;
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    ASSERT_TRUE(bitmap.LoadFromResource(kBitmap24, RT_BITMAP, nullptr, RGB(0, 0, 0)));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                                        RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 255)}));
  }
  EXPECT_EQ(Live::Now(), before);
}

TEST(EnBitmap, ABitmapResourceWithAColourTableLoadsToo) {
  CMyBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromResource(kBitmap8, RT_BITMAP, nullptr, RGB(0, 0, 0)));
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{RGB(255, 255, 0), RGB(0, 255, 255)}));
}

// No count of colours means all that the bit depth allows: the pixels
// start after 256 of them.
TEST(EnBitmap, AnEightBitResourceWithoutAColourCountLoadsPixelForPixel) {
  CMyBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromResource(kBitmap8AllColours, RT_BITMAP, nullptr, RGB(0, 0, 0)));
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{RGB(200, 55, 64), RGB(7, 248, 64), RGB(255, 0, 64)}));
}

TEST(EnBitmap, AFileLoadsAndAReloadReplacesTheBitmap) {
  const std::string path = TempFile("enbitmap-test.bmp", BitmapFile({2, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0}}, 32));
  CMyBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromResource(kBitmap24, RT_BITMAP, nullptr, RGB(0, 0, 0)));
  ASSERT_TRUE(bitmap.ReloadFromFile(path.c_str()));
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{RGB(0x10, 0x20, 0x30), RGB(0x40, 0x50, 0x60),
                                                      RGB(0x70, 0x80, 0x90), RGB(0xA0, 0xB0, 0xC0)}));
  ASSERT_TRUE(bitmap.ReloadFromResource(kBitmap24, RT_BITMAP, nullptr, RGB(0, 0, 0)));
  EXPECT_EQ(bitmap.Width(), 3);
  std::remove(path.c_str());
}

TEST(EnBitmap, EveryFailedLoadReturnsFalseAndLeavesTheObjectAsItWas) {
  const std::string text = TempFile("enbitmap-text.bmp", {'n', 'o', ' ', 'b', 'm', 'p'});
  const std::string empty = TempFile("enbitmap-empty.bmp", {});
  const std::string folder = std::filesystem::temp_directory_path().string();
  struct Case {
    const char* name;
    bool full;  // the object holds a bitmap before the load
    std::function<BOOL(CMyBitmap&)> load;
  };
  const Case cases[] = {
      {"missing resource", false, [](CMyBitmap& b) { return b.LoadFromResource(kMissing, RT_BITMAP, nullptr, 0); }},
      {"resource that is no bitmap", false, [](CMyBitmap& b) { return b.LoadFromResource(kNotAnImage, "PNG", nullptr, 0); }},
      {"missing file", false, [](CMyBitmap& b) { return b.LoadFromFile("/no/such/file.bmp", 0); }},
      {"file that is no image", false, [&](CMyBitmap& b) { return b.LoadFromFile(text.c_str(), 0); }},
      {"empty file", false, [&](CMyBitmap& b) { return b.LoadFromFile(empty.c_str(), 0); }},
      {"a folder", false, [&](CMyBitmap& b) { return b.LoadFromFile(folder.c_str(), 0); }},
      {"resource into a full object", true, [](CMyBitmap& b) { return b.LoadFromResource(kBitmap24, RT_BITMAP, nullptr, 0); }},
      {"file into a full object", true, [&](CMyBitmap& b) { return b.LoadFromFile(text.c_str(), 0); }},
      {"no picture", false, [](CMyBitmap& b) { return b.AdoptPicture(nullptr, 0); }},
  };
  for (const Case& c : cases) {
    CMyBitmap bitmap;
    if (c.full) {
      ASSERT_TRUE(bitmap.LoadFromResource(kBitmap8, RT_BITMAP, nullptr, 0));
    }
    const HGDIOBJ held = bitmap.GetSafeHandle();
    const Live before = Live::Now();
    EXPECT_FALSE(c.load(bitmap)) << c.name;
    EXPECT_EQ(bitmap.GetSafeHandle(), held) << c.name;
    EXPECT_EQ(Live::Now(), before) << c.name;
  }
  std::remove(text.c_str());
  std::remove(empty.c_str());
}

}  // namespace

// Device-independent bitmaps: sections in every format the images read, and
// GetDIBits' format query and pixel read with the colour table.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "win32/Windows.h"

namespace {

struct Info {
  BITMAPINFOHEADER header;
  DWORD table[256];
};

struct Format {
  int bits;
  DWORD compression;
  std::vector<BYTE> row;  // one row of 3 pixels: red, green, blue
};

const std::vector<Format>& Formats() {
  static const std::vector<Format> formats = {
      {8, BI_RGB, {2, 1, 0, 0}},
      {16, BI_BITFIELDS, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0}},
      {24, BI_RGB, {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}},
      {32, BI_RGB, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}},
  };
  return formats;
}

HBITMAP Section(const Format& f, void** bits) {
  Info info{};
  info.header = {sizeof(BITMAPINFOHEADER), 3, 2, 1, static_cast<WORD>(f.bits), f.compression, 0, 0, 0, 0, 0};
  if (f.bits == 16) info.table[0] = 0xF800, info.table[1] = 0x07E0, info.table[2] = 0x001F;
  if (f.bits == 8) info.table[0] = 0x0000FF, info.table[1] = 0x00FF00, info.table[2] = 0xFF0000;
  return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}

TEST(Dib, SectionsReadBackInTheirOwnFormat) {
  HDC ic = CreateIC("DISPLAY", nullptr, nullptr, nullptr);
  for (const Format& f : Formats()) {
    SCOPED_TRACE(f.bits);
    void* bits = nullptr;
    HBITMAP section = Section(f, &bits);
    ASSERT_NE(section, nullptr);
    std::memcpy(static_cast<BYTE*>(bits) + f.row.size(), f.row.data(), f.row.size());  // the top row

    Info query{};
    query.header.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(ic, section, 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.header.biWidth, 3);
    EXPECT_EQ(query.header.biHeight, 2);
    EXPECT_EQ(query.header.biBitCount, f.bits);
    EXPECT_EQ(query.header.biSizeImage, f.row.size() * 2);
    EXPECT_EQ(query.header.biCompression, f.compression);
    if (f.bits == 16) {
      EXPECT_EQ(query.table[1], 0x07E0u);
    }

    std::vector<BYTE> read(query.header.biSizeImage + 4, 0xEE);
    ASSERT_EQ(GetDIBits(ic, section, 0, 2, read.data(), reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS), 2);
    EXPECT_TRUE(std::equal(f.row.begin(), f.row.end(), read.begin() + static_cast<long>(f.row.size())));
    if (f.bits == 8) {
      EXPECT_EQ(query.table[2], 0xFF0000u);
    }

    // Read as 32 bits, every format gives the same colours.
    BITMAPINFO as32{};
    as32.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD pixels[6] = {};
    ASSERT_EQ(GetDIBits(ic, section, 0, 2, pixels, &as32, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(pixels[2] & 0xFFFFFF, 0x0000FFu);
    DeleteObject(section);
  }
  DeleteDC(ic);
}

TEST(Dib, DeviceDependentBitmapsAreInTheScreensFormat) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 5, 3);
  BITMAP bm{};
  ASSERT_TRUE(GetObject(bitmap, sizeof bm, &bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 20);
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

}  // namespace

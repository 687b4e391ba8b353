// Images from resources and memory: sizes, alpha, failures and what is left
// allocated afterwards.
#include <gtest/gtest.h>

#include <memory>

#include "Fixtures.h"
#include "images/ResourceImage.h"

using namespace fixtures;

namespace {

class ResourceImage : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

  // The image drawn at its size into a cleared 32-bit section: premultiplied
  // BGRA, top row first.
  static std::vector<uint32_t> Drawn(Gdiplus::Image* image) {
    const int w = static_cast<int>(image->GetWidth()), h = static_cast<int>(image->GetHeight());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, section);
    {
      Gdiplus::Graphics graphics(dc);
      graphics.DrawImage(image, 0, 0, w, h);
    }
    const auto* p = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(p, p + w * h);
    ::SelectObject(dc, old);
    ::DeleteObject(section);
    ::DeleteDC(dc);
    return pixels;
  }

  ULONG_PTR m_token = 0;
};

TEST_F(ResourceImage, ReadResourceBytesReportsTheSizeThenCopiesIntoABufferThatFits) {
  const LPCSTR name = MAKEINTRESOURCEA(kAlphaPng);
  int size = 0;
  ASSERT_TRUE(ReadResourceBytes(name, "PNG", nullptr, nullptr, size));
  const std::vector<uint8_t> expected = Png({2, 1, {0xFFFF0000u, 0x80FFFFFFu}});
  EXPECT_EQ(size, static_cast<int>(expected.size()));

  std::vector<uint8_t> buffer(expected.size(), 0xEE);
  EXPECT_TRUE(ReadResourceBytes(name, "PNG", nullptr, buffer.data(), size));
  EXPECT_EQ(buffer, expected);

  std::vector<uint8_t> small(expected.size() - 1, 0xEE);
  int smaller = size - 1;
  EXPECT_FALSE(ReadResourceBytes(name, "PNG", nullptr, small.data(), smaller));
  EXPECT_EQ(small, std::vector<uint8_t>(expected.size() - 1, 0xEE));

  EXPECT_FALSE(ReadResourceBytes(MAKEINTRESOURCEA(kMissing), "PNG", nullptr, nullptr, size));
}

TEST_F(ResourceImage, TheFrameImageLoadsAtItsSizeWithItsAlpha) {
  std::unique_ptr<Gdiplus::Image> frame(LoadResourceImage(kFramePng, "PNG", nullptr));
  ASSERT_EQ(frame->GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(frame->GetWidth(), 1240u);
  EXPECT_EQ(frame->GetHeight(), 800u);
  const std::vector<uint32_t> pixels = Drawn(frame.get());
  size_t clear = 0, soft = 0, opaque = 0;
  for (uint32_t p : pixels) {
    const uint32_t a = p >> 24;
    clear += a == 0, soft += a > 0 && a < 255, opaque += a == 255;
  }
  EXPECT_EQ(pixels[0], 0u) << "the outside is fully transparent";
  EXPECT_GT(clear, 100000u);
  EXPECT_GT(soft, 1000u);
  EXPECT_GT(opaque, 400000u);
}

TEST_F(ResourceImage, PartlyTransparentPixelsArePremultipliedWhenDrawn) {
  std::unique_ptr<Gdiplus::Image> image(LoadResourceImage(kAlphaPng, "PNG", nullptr));
  ASSERT_EQ(image->GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(Drawn(image.get()), (std::vector<uint32_t>{0xFFFF0000u, 0x80808080u}));
}

TEST_F(ResourceImage, ABitmapResourceBecomesAnOpaqueImageAndItsHandleIsGone) {
  const Live before = Live::Now();
  std::unique_ptr<Gdiplus::Image> image(LoadResourceImage(kBitmap24, RT_BITMAP, nullptr));
  ASSERT_EQ(image->GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(Live::Now(), before);
  const std::vector<uint32_t> pixels = Drawn(image.get());
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF000000u, 0xFFFF00FFu}));
}

TEST_F(ResourceImage, WhatIsNoImageGivesAnImageInErrorOfNoSize) {
  for (UINT id : {kMissing, kNotAnImage}) {
    const size_t com = winsim::LiveComObjectCount();
    std::unique_ptr<Gdiplus::Image> image(LoadResourceImage(id, "PNG", nullptr));
    EXPECT_NE(image->GetLastStatus(), Gdiplus::Ok) << id;
    EXPECT_EQ(image->GetWidth(), 0u);
    EXPECT_EQ(image->GetHeight(), 0u);
    image.reset();
    EXPECT_EQ(winsim::LiveComObjectCount(), com) << "the stream is released";
  }
}

TEST_F(ResourceImage, APictureFromBitmapFileBytesHasItsSizeInHimetric) {
  const Live before = Live::Now();
  const std::vector<uint8_t> file = BitmapFile({3, 2, std::vector<uint32_t>(6, 0x123456)}, 24);
  IPicture* picture = PictureFromMemory(file.data(), static_cast<int>(file.size()));
  ASSERT_NE(picture, nullptr);
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  SHORT type = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  picture->get_Type(&type);
  EXPECT_EQ(width, MulDiv(3, 2540, 96));
  EXPECT_EQ(height, MulDiv(2, 2540, 96));
  EXPECT_EQ(type, PICTYPE_BITMAP);
  EXPECT_EQ(picture->Release(), 0u);
  EXPECT_EQ(Live::Now(), before);
}

TEST_F(ResourceImage, BytesThatAreNoImageGiveNoPictureAndLeaveNothingAllocated) {
  const Live before = Live::Now();
  const std::vector<uint8_t> truncated = [] {
    auto f = BitmapFile({3, 2, std::vector<uint32_t>(6, 0)}, 24);
    f.resize(f.size() - 1);
    return f;
  }();
  const char text[] = "not an image at all";
  EXPECT_EQ(PictureFromMemory(text, sizeof text), nullptr);
  EXPECT_EQ(PictureFromMemory(truncated.data(), static_cast<int>(truncated.size())), nullptr);
  EXPECT_EQ(PictureFromMemory(text, 0), nullptr);
  EXPECT_EQ(PictureFromMemory(nullptr, 10), nullptr);
  EXPECT_EQ(Live::Now(), before);
}

}  // namespace

// The frame painted as a per-pixel-alpha layered window, and seen on the
// screen over the desktop.
#include <gtest/gtest.h>
#include <png.h>

#include <memory>

#include "Fixtures.h"
#include "desktop/Desktop.h"
#include "gdi/Surface.h"
#include "images/ResourceImage.h"
#include "launcher/LorvaneApp.h"
#include "win32/Window.h"

using namespace fixtures;

namespace {

constexpr uint32_t kDesktop = 0xFF008080u;

// The frame PNG's own pixels, straight BGRA, as the file holds them.
std::vector<uint32_t> FramePixels() {
  const std::vector<uint8_t> file = ReadFile(LORVANE_RESOURCES "/130.png");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  png_image_begin_read_from_memory(&image, file.data(), file.size());
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(PNG_IMAGE_SIZE(image) / 4);
  png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
  return pixels;
}

uint32_t Premultiplied(uint32_t p) {
  const uint32_t a = p >> 24;
  uint32_t out = a << 24;
  for (int shift = 0; shift < 24; shift += 8) out |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
  return out;
}

class LayeredFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::ResetWindowManager();
    winsim::ResetDesktop();
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    m_frame.reset(LoadResourceImage(kFramePng, "PNG", nullptr));
    theApp.m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    theApp.m_nFrameWidth = static_cast<int>(m_frame->GetWidth());
    theApp.m_nFrameHeight = static_cast<int>(m_frame->GetHeight());
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "LayeredFrameTest";
    RegisterClassA(&wc);
  }
  void TearDown() override {
    m_frame.reset();
    Gdiplus::GdiplusShutdown(m_token);
    winsim::ResetWindowManager();
  }
  HWND Window(DWORD exStyle, int w, int h) {
    return CreateWindowExA(exStyle, "LayeredFrameTest", "", WS_POPUP | WS_VISIBLE, 300, 150, w, h, nullptr, nullptr,
                           nullptr, nullptr);
  }
  static const winsim::Surface& Layered(HWND hwnd) { return *winsim::FindWindowObject(hwnd)->layeredSurface; }

  ULONG_PTR m_token = 0;
  std::unique_ptr<Gdiplus::Image> m_frame;
};

TEST_F(LayeredFrame, TheWindowShowsThePremultipliedImageWhereItStands) {
  HWND hwnd = Window(0, 1240, 800);
  const Live before = Live::Now();
  theApp.PaintLayeredFrame(m_frame.get(), 1240, 800, hwnd);
  EXPECT_EQ(Live::Now(), before);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  EXPECT_EQ(rc.left, 300); EXPECT_EQ(rc.top, 150); EXPECT_EQ(rc.right, 1540); EXPECT_EQ(rc.bottom, 950);

  const std::vector<uint32_t> png = FramePixels();
  const winsim::Surface& shown = Layered(hwnd);
  size_t mismatches = 0;
  for (int y = 0; y < 800; ++y)
    for (int x = 0; x < 1240; ++x) mismatches += shown.Raw(x, y) != Premultiplied(png[static_cast<size_t>(y * 1240 + x)]);
  EXPECT_EQ(mismatches, 0u);
}

TEST_F(LayeredFrame, OnTheScreenTheOutsideIsClearTheEdgesSoftAndTheBodyOpaque) {
  HWND hwnd = Window(0, 1240, 800);
  theApp.PaintLayeredFrame(m_frame.get(), 1240, 800, hwnd);
  const std::vector<uint32_t> png = FramePixels();
  const std::vector<uint32_t> screen = winsim::ComposeScreen();
  size_t outside = 0, soft = 0, body = 0;
  for (int y = 0; y < 800; ++y) {
    for (int x = 0; x < 1240; ++x) {
      const uint32_t own = png[static_cast<size_t>(y * 1240 + x)];
      const uint32_t seen = screen[static_cast<size_t>((y + 150) * 1920 + x + 300)];
      const uint32_t a = own >> 24;
      if (a == 0) outside += seen == kDesktop;
      else if (a == 255) body += seen == (own | 0xFF000000u);
      else soft += seen != kDesktop && seen != own;
      // A click falls through exactly where nothing shows.
      if ((x * 7 + y * 13) % 97 == 0) {
        EXPECT_EQ(winsim::LayeredWindowHitsPoint(hwnd, {x + 300, y + 150}), a != 0) << x << "," << y;
      }
    }
  }
  EXPECT_GT(outside, 100000u);
  EXPECT_GT(soft, 1000u);
  EXPECT_GT(body, 400000u);
  size_t transparentInPng = 0, softInPng = 0, opaqueInPng = 0;
  for (uint32_t p : png) transparentInPng += (p >> 24) == 0, softInPng += (p >> 24) % 255 != 0, opaqueInPng += (p >> 24) == 255;
  EXPECT_EQ(outside, transparentInPng);
  EXPECT_EQ(soft, softInPng);
  EXPECT_EQ(body, opaqueInPng);
}

TEST_F(LayeredFrame, ALayeredWindowKeepsItsStyleAndOtherSizesCropOrPad) {
  const DWORD exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW;
  HWND hwnd = Window(exStyle, 10, 10);
  theApp.PaintLayeredFrame(m_frame.get(), 1300, 700, hwnd);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), exStyle);
  const winsim::Surface& shown = Layered(hwnd);
  ASSERT_EQ(shown.width, 1300);
  ASSERT_EQ(shown.height, 700);
  const std::vector<uint32_t> png = FramePixels();
  EXPECT_EQ(shown.Raw(1239, 699), Premultiplied(png[699 * 1240 + 1239]));
  for (int y = 0; y < 700; y += 50) EXPECT_EQ(shown.Raw(1260, y), 0u) << "beyond the image is clear";
}

}  // namespace

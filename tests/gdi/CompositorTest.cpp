// The screen as a person sees it: windows over the desktop, layered ones
// through their alpha or colour key, clicks falling through where nothing
// shows, and the screenshot file.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "desktop/Desktop.h"
#include "win32/Window.h"
#include "win32/Windows.h"

namespace {

constexpr uint32_t kDesktop = 0xFF008080u;
constexpr COLORREF kKey = RGB(1, 1, 1);

typedef BOOL(WINAPI* UpdateLayeredWindowProc)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
typedef BOOL(WINAPI* SetLayeredWindowAttributesProc)(HWND, COLORREF, BYTE, DWORD);

class Compositor : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::ResetWindowManager();
    winsim::ResetDesktop();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "CompositorTest";
    RegisterClassA(&wc);
    user32 = LoadLibraryA("User32.DLL");
    update = reinterpret_cast<UpdateLayeredWindowProc>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "UpdateLayeredWindow")));
    attributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    ASSERT_NE(update, nullptr);
    ASSERT_NE(attributes, nullptr);
  }
  void TearDown() override { winsim::ResetWindowManager(); }

  HWND Popup(int x, int y, int w, int h, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, "CompositorTest", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, nullptr,
                           nullptr);
  }
  static void Paint(HWND hwnd, const RECT& r, COLORREF colour) {
    HDC dc = GetWindowDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
  }
  static uint32_t ScreenAt(int x, int y) {
    return winsim::ComposeScreen()[static_cast<size_t>(y) * static_cast<size_t>(winsim::Desktop().screenWidth) +
                                   static_cast<size_t>(x)];
  }

  HMODULE user32 = nullptr;
  UpdateLayeredWindowProc update = nullptr;
  SetLayeredWindowAttributesProc attributes = nullptr;
};

TEST_F(Compositor, WindowsCoverTheDesktopInZOrder) {
  HWND below = Popup(10, 10, 20, 20);
  Paint(below, {0, 0, 20, 20}, RGB(200, 0, 0));
  HWND above = Popup(20, 20, 20, 20);
  Paint(above, {0, 0, 20, 20}, RGB(0, 0, 200));
  EXPECT_EQ(ScreenAt(5, 5), kDesktop);
  EXPECT_EQ(ScreenAt(15, 15), 0xFFC80000u);
  EXPECT_EQ(ScreenAt(25, 25), 0xFF0000C8u);
  ShowWindow(above, SW_HIDE);
  EXPECT_EQ(ScreenAt(25, 25), 0xFFC80000u);
}

TEST_F(Compositor, PerPixelAlphaBlendsAndLetsClicksThroughWhereTransparent) {
  HWND hwnd = Popup(0, 0, 10, 10, WS_EX_LAYERED);
  EXPECT_EQ(ScreenAt(1, 1), kDesktop) << "a layered window shows nothing before its content";
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const uint32_t pixels[3] = {0x00000000u, 0x80800000u, 0xFF00FF00u};  // clear, half red, green
  std::memcpy(bits, pixels, sizeof pixels);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, section);
  POINT to{100, 50}, from{0, 0};
  SIZE size{3, 1};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(update(hwnd, nullptr, &to, &size, memory, &from, 0, &blend, ULW_ALPHA));
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);

  RECT rc{};
  GetWindowRect(hwnd, &rc);
  EXPECT_EQ(rc.left, 100); EXPECT_EQ(rc.top, 50); EXPECT_EQ(rc.right, 103); EXPECT_EQ(rc.bottom, 51);
  EXPECT_EQ(ScreenAt(100, 50), kDesktop);
  EXPECT_EQ(ScreenAt(101, 50), 0xFF804040u);  // 0x80 + teal * 127/255
  EXPECT_EQ(ScreenAt(102, 50), 0xFF00FF00u);
  EXPECT_FALSE(winsim::LayeredWindowHitsPoint(hwnd, {100, 50}));
  EXPECT_TRUE(winsim::LayeredWindowHitsPoint(hwnd, {101, 50}));
  // Content given this way rules out attributes until the style is set anew.
  EXPECT_TRUE(attributes(hwnd, kKey, 0, LWA_COLORKEY));
  EXPECT_FALSE(update(hwnd, nullptr, &to, &size, nullptr, nullptr, 0, &blend, 0));
}

TEST_F(Compositor, AColourKeyShowsWhatLiesBelowAndDropsTheStyleToDrawAgain) {
  HWND below = Popup(0, 0, 10, 10);
  Paint(below, {0, 0, 10, 10}, RGB(200, 0, 0));
  HWND keyed = Popup(0, 0, 10, 10, WS_EX_LAYERED);
  Paint(keyed, {0, 0, 10, 10}, kKey);
  Paint(keyed, {0, 0, 5, 10}, RGB(0, 0, 200));
  ASSERT_TRUE(attributes(keyed, kKey, 0, LWA_COLORKEY));
  EXPECT_EQ(ScreenAt(2, 2), 0xFF0000C8u);
  EXPECT_EQ(ScreenAt(7, 2), 0xFFC80000u);
  EXPECT_TRUE(winsim::LayeredWindowHitsPoint(keyed, {2, 2}));
  EXPECT_FALSE(winsim::LayeredWindowHitsPoint(keyed, {7, 2}));

  SetWindowLongA(keyed, GWL_EXSTYLE, GetWindowLongA(keyed, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  EXPECT_EQ(ScreenAt(7, 2), 0xFF010101u);
}

std::vector<HWND> g_pressed;

LRESULT CALLBACK RecordPresses(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) g_pressed.push_back(hwnd);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(Compositor, AClickOnAKeyedPixelReachesTheWindowBelow) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = RecordPresses;
  wc.lpszClassName = "CompositorClicks";
  RegisterClassA(&wc);
  auto popup = [](DWORD exStyle) {
    return CreateWindowExA(exStyle, "CompositorClicks", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
  };
  HWND below = popup(0);
  HWND keyed = popup(WS_EX_LAYERED);
  Paint(keyed, {0, 0, 10, 10}, kKey);
  Paint(keyed, {0, 0, 5, 10}, RGB(0, 0, 200));
  ASSERT_TRUE(attributes(keyed, kKey, 0, LWA_COLORKEY));
  g_pressed.clear();
  for (const char* line : {"click 2 2", "click 7 2"}) {
    ASSERT_TRUE(winsim::RunScriptLine(line));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  EXPECT_EQ(g_pressed, (std::vector<HWND>{keyed, below}));
}

TEST_F(Compositor, AScreenshotIsThePngOfTheComposedScreen) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "winsim-shot-test";
  std::filesystem::create_directories(folder);
  winsim::Desktop().outDir = folder.string();
  HWND hwnd = Popup(4, 3, 2, 2);
  Paint(hwnd, {0, 0, 2, 2}, RGB(10, 20, 30));
  ASSERT_TRUE(winsim::WriteScreenshot("shot"));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, (folder / "shot.png").c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  EXPECT_EQ(image.width, 1920u);
  EXPECT_EQ(image.height, 1080u);
  const size_t at = (3 * 1920 + 4) * 3;
  EXPECT_EQ(rgb[at], 10); EXPECT_EQ(rgb[at + 1], 20); EXPECT_EQ(rgb[at + 2], 30);
  EXPECT_EQ(rgb[0], 0); EXPECT_EQ(rgb[1], 128); EXPECT_EQ(rgb[2], 128);
  std::filesystem::remove_all(folder);
}

}  // namespace

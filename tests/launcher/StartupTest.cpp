// Start-up and exit of the launcher as a whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "LauncherFixture.h"
#include "PngImage.h"

using testing_support::PngImage;
using testing_support::ProgramRun;
using testing_support::WindowsWithTemplate;

namespace {

// Where the frame stands on the 1920 x 1040 work area.
constexpr int kFrameLeft = 113;
constexpr int kFrameTop = -47;
constexpr uint32_t kDesktop = 0x808000;  // RGB(0, 128, 128)

// A straight-alpha 0xAARRGGBB pixel over the desktop, as 0x00BBGGRR.
uint32_t OverDesktop(uint32_t pixel, int channel) {
  const uint32_t a = pixel >> 24;
  const uint32_t own = (pixel >> (16 - 8 * channel)) & 0xFF;
  const uint32_t under = (kDesktop >> (8 * channel)) & 0xFF;
  return (own * a + under * (255 - a) + 127) / 255;
}

// The screen rectangles of a window's children, as left, top, right, bottom.
std::vector<std::vector<int>> ChildRects(const nlohmann::json& window) {
  std::vector<std::vector<int>> rects;
  for (const auto& c : window.at("children")) rects.push_back(c.at("rect").get<std::vector<int>>());
  return rects;
}

bool InsideAny(const std::vector<std::vector<int>>& rects, int x, int y) {
  for (const auto& r : rects) {
    if (x >= r[0] && x < r[2] && y >= r[1] && y < r[3]) return true;
  }
  return false;
}

}  // namespace

TEST_F(LauncherTest, FramePhaseWindowsAreSizedFromTheFrameImageAndCentredWithTheOffset) {
  auto result = Start(ProgramRun{});
  auto main = WindowsWithTemplate(result.final, 102);
  auto panel = WindowsWithTemplate(result.final, 132);
  ASSERT_EQ(main.size(), 1u);
  ASSERT_EQ(panel.size(), 1u);
  // The work area is 1920 x 1040; the outer size is the client size of the
  // 1240 x 800 window without its 3-pixel modal frame.
  int w = 1240 - 6;
  int h = 800 - 6;
  int x = (1920 - w) / 2 - 230;
  int y = (1040 - h) / 2 - 170;
  EXPECT_EQ(main[0]["rect"], nlohmann::json::array({x, y, x + 1240, y + 800}));
  EXPECT_EQ(panel[0]["rect"], nlohmann::json::array({x + 3, y, x + 3 + 1240, y + 800}));
  EXPECT_EQ(panel[0]["owner"], main[0]["handle"]);
}

TEST_F(LauncherTest, EscapeInThePanelEndsTheLauncherThroughTheCancelCommand) {
  ProgramRun run;
  run.script = {"dump started", "key ESC"};
  auto started = Start(run);
  // Escape while the main window has the focus does nothing.
  ASSERT_EQ(started.exitCode, 3);
  auto panel = WindowsWithTemplate(started.final, 132)[0];
  const auto& button = panel["children"][3]["rect"];
  int x = button[0].get<int>() + 5;
  int y = button[1].get<int>() + 5;
  // A click on one of the panel's buttons gives the panel the focus.
  run.script = {"click " + std::to_string(x) + " " + std::to_string(y), "key ESC"};
  auto result = Start(run);
  EXPECT_EQ(result.exitCode, 0);
  for (int id : {102, 132}) {
    auto windows = WindowsWithTemplate(result.final, id);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]["destroyed"], true);
  }
}

// What the frame image leaves on the screen where the panel shows nothing
// of its own: the desktop through its clear pixels, the image itself where
// it is opaque and a blend of the two along its soft edges.
TEST_F(LauncherTest, TheFrameIsClearOpaqueAndSoftWhereItsImageIs) {
  const PngImage frame(LORVANE_RESOURCES "/130.png");
  ASSERT_EQ(frame.width(), 1240);
  // The middle of the clear run at the left end of a row, away from the
  // window's border and from everything the panel shows.
  const int row = 400;
  int clearRun = 0;
  while (frame.At(clearRun, row) >> 24 == 0) ++clearRun;
  ASSERT_GE(clearRun, 20);
  const int clearX = clearRun / 2;
  const std::string clear = std::to_string(kFrameLeft + clearX) + " " + std::to_string(kFrameTop + row);
  const std::string beside = std::to_string(kFrameLeft + clearX + 60) + " " + std::to_string(kFrameTop + row + 40);

  ProgramRun run;
  run.script = {"shot frame", "dump frame", "down " + clear, "move " + beside, "up " + beside, "dump clicked"};
  auto result = Start(run);
  auto dump = nlohmann::json::parse(testing_support::ReadText(result.out / "frame.json"));
  auto main = WindowsWithTemplate(dump, 102).at(0);
  ASSERT_EQ(main["rect"], nlohmann::json::array({kFrameLeft, kFrameTop, kFrameLeft + 1240, kFrameTop + 800}));
  const auto controls = ChildRects(WindowsWithTemplate(dump, 132).at(0));
  const PngImage screen(result.out / "frame.png");
  ASSERT_FALSE(screen.empty());

  size_t clearSeen = 0, softSeen = 0, opaqueSeen = 0, wrong = 0;
  for (int y = 0; y < 800; ++y) {
    for (int x = 0; x < 1240; ++x) {
      const int sx = kFrameLeft + x, sy = kFrameTop + y;
      if (sy < 0 || InsideAny(controls, sx, sy)) continue;
      const uint32_t own = frame.At(x, y), seen = screen.Rgb(sx, sy);
      const uint32_t a = own >> 24;
      bool right = true;
      for (int channel = 0; channel < 3; ++channel) {
        const int expected = static_cast<int>(OverDesktop(own, channel));
        const int shown = static_cast<int>((seen >> (8 * channel)) & 0xFF);
        // Only the blend of a soft pixel may round either way.
        right = right && std::abs(shown - expected) <= (a == 0 || a == 255 ? 0 : 1);
      }
      wrong += !right;
      (a == 0 ? clearSeen : a == 255 ? opaqueSeen : softSeen) += 1;
    }
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_GT(clearSeen, 10000u);
  EXPECT_GT(softSeen, 1000u);
  EXPECT_GT(opaqueSeen, 100000u);

  // A press and drag on a clear pixel reaches the desktop, not the frame.
  auto clicked = nlohmann::json::parse(testing_support::ReadText(result.out / "clicked.json"));
  EXPECT_EQ(WindowsWithTemplate(clicked, 102).at(0)["rect"], main["rect"]);
  EXPECT_EQ(WindowsWithTemplate(clicked, 132).at(0)["rect"], WindowsWithTemplate(dump, 132).at(0)["rect"]);
}

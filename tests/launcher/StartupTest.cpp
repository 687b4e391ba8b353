// Start-up and exit of the launcher as a whole.
#include <gtest/gtest.h>

#include "LauncherFixture.h"

using testing_support::ProgramRun;
using testing_support::WindowsWithTemplate;

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

// Move and Size chosen from a window menu: with no button held they start
// the keyboard modes, in which the arrow keys and the mouse move the window
// or an edge, Enter or a click keeps the result and Escape puts it back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesktopFixture.h"
#include "win32/Windows.h"

namespace {

constexpr RECT kStart{100, 100, 500, 400};
constexpr int kMinWidth = 380;
constexpr int kMinHeight = 280;

LRESULT CALLBACK FramedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = {kMinWidth, kMinHeight};
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct LoopCase {
  const char* name;
  WPARAM command;
  std::vector<std::string> script;  // "probe" looks at the loop while it runs
  RECT expected;
};

class KeyboardLoop : public DesktopTest, public ::testing::WithParamInterface<LoopCase> {
 protected:
  KeyboardLoop() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = FramedProc;
    cls.lpszClassName = "Framed";
    RegisterClassA(&cls);
  }
};

}  // namespace

TEST_P(KeyboardLoop, MovesOrSizesTheWindow) {
  const LoopCase& c = GetParam();
  HWND hwnd = CreateWindowExA(0, "Framed", "w", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, kStart.left,
                              kStart.top, kStart.right - kStart.left, kStart.bottom - kStart.top, nullptr, nullptr,
                              nullptr, nullptr);
  Script(c.script);
  SendMessageA(hwnd, WM_SYSCOMMAND, c.command, 0);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}));
  ASSERT_EQ(m_probes.size(), 1u);
  const nlohmann::json& loop = m_probes[0]["sizemove"];
  EXPECT_EQ(loop["mode"], c.command == SC_MOVE ? "move" : "size");
  EXPECT_EQ(loop["keyboard"], true);
  EXPECT_EQ(loop["start"], nlohmann::json::array({kStart.left, kStart.top, kStart.right, kStart.bottom}));
  EXPECT_TRUE(winsim::DumpState(std::nullopt)["sizemove"].is_null()) << "the loop is over";
}

// The keyboard move puts the cursor on the middle of the caption: (300, 115)
// for this window, whose frame is 4 pixels and caption 22. The keyboard size
// puts it in the middle of the window, (300, 250).
INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardLoop,
    ::testing::Values(
        LoopCase{"ArrowsMoveByEightPixels", SC_MOVE, {"key RIGHT", "key RIGHT", "key DOWN", "probe", "key ENTER"},
                 {116, 108, 516, 408}},
        LoopCase{"EscapePutsTheWindowBack", SC_MOVE, {"key LEFT", "key UP", "probe", "key ESC"}, kStart},
        LoopCase{"TheWindowFollowsTheMouseUntilAClick", SC_MOVE, {"move 330 155", "probe", "click 330 155"},
                 {130, 140, 530, 440}},
        LoopCase{"TheFirstArrowChoosesAnEdgeTheNextMoveIt",
                 SC_SIZE,
                 {"key RIGHT", "key RIGHT", "key RIGHT", "key DOWN", "key DOWN", "probe", "key ENTER"},
                 {100, 100, 516, 408}},
        LoopCase{"AnEdgeStopsAtTheMinimumSize",
                 SC_SIZE,
                 {"key LEFT", "key RIGHT", "key RIGHT", "key RIGHT", "key RIGHT", "probe", "key ENTER"},
                 {500 - kMinWidth, 100, 500, 400}},
        LoopCase{"TheMouseChoosesTheEdgeItMovesTowards", SC_SIZE, {"move 300 480", "probe", "click 300 480"},
                 {100, 100, 500, 480}},
        LoopCase{"EscapePutsTheSizeBack", SC_SIZE, {"key UP", "key UP", "probe", "key ESC"}, kStart}),
    [](const auto& info) { return std::string(info.param.name); });

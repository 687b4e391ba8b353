// User input as windows receive it: each pointer event hit-tested when a
// loop takes it, double-clicks, capture, activation on press, disabled
// windows, mouse-leave tracking, and keys with their modifiers.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "DesktopFixture.h"
#include "win32/Windows.h"

namespace {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  bool operator==(const Seen& o) const { return hwnd == o.hwnd && msg == o.msg && wParam == o.wParam; }
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{" << s.hwnd << " 0x" << std::hex << s.msg << " " << s.wParam << std::dec << "}";
}

struct Behaviour {
  LRESULT mouseActivate = MA_ACTIVATE;
  RECT moveAwayOnPress{};  // where the window goes when pressed; empty: it stays
};

std::vector<Seen>* g_seen = nullptr;
std::map<HWND, Behaviour>* g_behaviour = nullptr;

bool Logged(UINT msg) {
  return msg == WM_NCHITTEST || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCRBUTTONDBLCLK) || msg == WM_MOUSEACTIVATE || msg == WM_MOUSELEAVE ||
         (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_SYSCOMMAND || msg == WM_HOTKEY;
}

// The top 20 rows are the window's caption; the rest is client area. Mouse
// messages are only recorded, so nothing starts a move loop.
LRESULT CALLBACK InputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_seen && Logged(msg)) g_seen->push_back({hwnd, msg, msg == WM_NCHITTEST ? 0 : wParam});
  const Behaviour& behaviour = (*g_behaviour)[hwnd];
  switch (msg) {
    case WM_NCHITTEST: {
      RECT r;
      GetWindowRect(hwnd, &r);
      return GET_Y_LPARAM(lParam) < r.top + 20 ? HTCAPTION : HTCLIENT;
    }
    case WM_MOUSEACTIVATE: return behaviour.mouseActivate;
    case WM_LBUTTONDOWN:
      if (!IsRectEmpty(&behaviour.moveAwayOnPress)) {
        const RECT& to = behaviour.moveAwayOnPress;
        MoveWindow(hwnd, to.left, to.top, to.right - to.left, to.bottom - to.top, TRUE);
      }
      return 0;
    default:
      if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCRBUTTONDBLCLK)) return 0;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

class Input : public DesktopTest {
 protected:
  Input() {
    g_seen = &m_seen;
    g_behaviour = &m_behaviour;
    for (auto [name, style] : {std::pair{"Input", 0u}, std::pair{"InputDbl", static_cast<UINT>(CS_DBLCLKS)}}) {
      WNDCLASSA cls{};
      cls.style = style;
      cls.lpfnWndProc = InputProc;
      cls.lpszClassName = name;
      RegisterClassA(&cls);
    }
  }
  ~Input() override {
    g_seen = nullptr;
    g_behaviour = nullptr;
  }

  HWND Create(RECT r, const char* cls = "Input", DWORD style = WS_POPUP | WS_VISIBLE) {
    return CreateWindowExA(0, cls, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           nullptr, nullptr);
  }

  // Each line is one action of the user; the loop takes what it queued.
  void Play(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      ASSERT_TRUE(winsim::RunScriptLine(line)) << line;
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  std::vector<Seen> Taken() {
    std::vector<Seen> seen;
    seen.swap(m_seen);
    return seen;
  }

  std::vector<Seen> m_seen;
  std::map<HWND, Behaviour> m_behaviour;
};

}  // namespace

TEST_F(Input, EachEventIsHitTestedOnceAndAStillPointerMakesNoMove) {
  HWND w = Create({100, 100, 400, 300});
  Play({"move 200 110"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{w, WM_NCHITTEST, 0}, {w, WM_NCMOUSEMOVE, HTCAPTION}}));
  Play({"click 200 110"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{w, WM_NCHITTEST, 0},
                                        {w, WM_NCLBUTTONDOWN, HTCAPTION},
                                        {w, WM_NCHITTEST, 0},
                                        {w, WM_NCLBUTTONUP, HTCAPTION}}));
  // A click elsewhere moves the pointer there first.
  Play({"click 200 200"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{w, WM_NCHITTEST, 0},
                                        {w, WM_MOUSEMOVE, 0},
                                        {w, WM_NCHITTEST, 0},
                                        {w, WM_LBUTTONDOWN, MK_LBUTTON},
                                        {w, WM_NCHITTEST, 0},
                                        {w, WM_LBUTTONUP, 0}}));
}

namespace {

struct DoubleCase {
  const char* name;
  const char* windowClass;
  int y;  // 110: caption, 200: client area
  std::vector<std::string> actions;
  std::vector<UINT> presses;  // the messages of the presses, in order
};

}  // namespace

class DoubleClicks : public Input, public ::testing::WithParamInterface<DoubleCase> {};

TEST_P(DoubleClicks, ComeAsThePlatformSendsThem) {
  const DoubleCase& c = GetParam();
  HWND w = Create({100, 100, 400, 300}, c.windowClass);
  Play({"move 200 " + std::to_string(c.y)});
  Taken();
  std::vector<std::string> lines;
  for (const std::string& a : c.actions) lines.push_back(a + " 200 " + std::to_string(c.y));
  Play(lines);
  std::vector<UINT> presses;
  int hitTests = 0;
  for (const Seen& s : Taken()) {
    EXPECT_EQ(s.hwnd, w);
    if (s.msg == WM_NCHITTEST) ++hitTests;
    const bool press = s.msg == WM_LBUTTONDOWN || s.msg == WM_LBUTTONDBLCLK || s.msg == WM_NCLBUTTONDOWN ||
                       s.msg == WM_NCLBUTTONDBLCLK;
    if (press) presses.push_back(s.msg);
  }
  EXPECT_EQ(presses, c.presses);
  EXPECT_EQ(hitTests, 4) << "one hit test before each of the two presses and two releases";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleClicks,
    ::testing::Values(DoubleCase{"NonClientAlways", "Input", 110, {"dblclick"}, {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}},
                      DoubleCase{"ClientWithClassStyle", "InputDbl", 200, {"dblclick"}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
                      DoubleCase{"ClientWithoutClassStyle", "Input", 200, {"dblclick"}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
                      DoubleCase{"TwoActionsAreTwoClicks", "InputDbl", 200, {"click", "click"},
                                 {WM_LBUTTONDOWN, WM_LBUTTONDOWN}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Input, ARaisedReleaseGoesWhereTheWindowsAreWhenItIsTaken) {
  HWND below = Create({0, 0, 800, 600});
  HWND front = Create({100, 100, 400, 300});
  m_behaviour[front].moveAwayOnPress = {900, 700, 1000, 800};
  Play({"move 200 200"});
  Taken();
  Play({"click 200 200"});
  // The press moved the front window away, so the release is hit-tested
  // against the window that is under the pointer now.
  EXPECT_EQ(Taken(), (std::vector<Seen>{{front, WM_NCHITTEST, 0},
                                        {front, WM_LBUTTONDOWN, MK_LBUTTON},
                                        {below, WM_NCHITTEST, 0},
                                        {below, WM_LBUTTONUP, 0}}));
}

TEST_F(Input, ADisabledWindowIsNotAskedAndTakesNothing) {
  HWND below = Create({0, 0, 800, 600});
  HWND disabled = Create({100, 100, 400, 300});
  EnableWindow(disabled, FALSE);
  Taken();
  Play({"move 200 200", "click 200 200", "dblclick 200 110", "rclick 200 200"});
  EXPECT_EQ(Taken(), std::vector<Seen>{});
  // Outside it, the window below gets its input as usual.
  Play({"click 500 500"});
  std::vector<Seen> seen = Taken();
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Seen{below, WM_LBUTTONDOWN, MK_LBUTTON}), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Seen{below, WM_LBUTTONUP, 0}), 1);
}

TEST_F(Input, TheCapturingWindowGetsEveryEventWithoutHitTests) {
  HWND other = Create({0, 0, 800, 600});
  HWND capturing = Create({900, 100, 1000, 200});
  SetCapture(capturing);
  Taken();
  Play({"click 200 110"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{capturing, WM_MOUSEMOVE, 0},
                                        {capturing, WM_LBUTTONDOWN, MK_LBUTTON},
                                        {capturing, WM_LBUTTONUP, 0}}));
  (void)other;
}

namespace {

struct ActivateCase {
  const char* name;
  LRESULT answer;
  bool activated;
  bool pressDelivered;
};

}  // namespace

class ActivationOnPress : public Input, public ::testing::WithParamInterface<ActivateCase> {};

TEST_P(ActivationOnPress, FollowsTheAnswerToMouseActivate) {
  const ActivateCase& c = GetParam();
  HWND inactive = Create({100, 100, 400, 300});
  HWND active = Create({500, 100, 800, 300});
  ASSERT_EQ(GetActiveWindow(), active);
  m_behaviour[inactive].mouseActivate = c.answer;
  Play({"move 200 200"});
  Taken();
  Play({"click 200 200"});
  std::vector<Seen> seen = Taken();
  EXPECT_EQ(GetActiveWindow() == inactive, c.activated);
  auto delivered = [&](UINT msg) {
    return std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.hwnd == inactive && s.msg == msg; });
  };
  EXPECT_EQ(delivered(WM_MOUSEACTIVATE), 1);
  EXPECT_EQ(delivered(WM_LBUTTONDOWN), c.pressDelivered ? 1 : 0);
  EXPECT_EQ(delivered(WM_LBUTTONUP), 1);
}

INSTANTIATE_TEST_SUITE_P(Answers, ActivationOnPress,
                         ::testing::Values(ActivateCase{"Activate", MA_ACTIVATE, true, true},
                                           ActivateCase{"NoActivate", MA_NOACTIVATE, false, true},
                                           ActivateCase{"ActivateAndEat", MA_ACTIVATEANDEAT, true, false},
                                           ActivateCase{"NoActivateAndEat", MA_NOACTIVATEANDEAT, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Input, ATrackedWindowIsToldOnceWhenTheMouseLeavesIt) {
  HWND tracked = Create({100, 100, 400, 300});
  HWND other = Create({500, 100, 800, 300});
  Play({"move 200 200"});
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, tracked, 0};
  ASSERT_TRUE(TrackMouseEvent(&track));
  Play({"move 210 200"});
  Taken();
  Play({"move 600 200", "move 610 200"});
  std::vector<Seen> seen = Taken();
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Seen{tracked, WM_MOUSELEAVE, 0}), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), Seen{other, WM_MOUSEMOVE, 0}), 2);
}

namespace {

struct KeyComboCase {
  const char* name;
  const char* key;
  std::vector<Seen> expected;  // hwnd null: the focused window
};

}  // namespace

class Keys : public Input, public ::testing::WithParamInterface<KeyComboCase> {};

TEST_P(Keys, ArriveWithTheirModifiers) {
  HWND w = Create({100, 100, 400, 300});
  SetFocus(w);
  Taken();
  Play({std::string("key ") + GetParam().key});
  std::vector<Seen> expected = GetParam().expected;
  for (Seen& s : expected) s.hwnd = w;
  EXPECT_EQ(Taken(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, Keys,
    ::testing::Values(
        KeyComboCase{"Plain", "F5", {{nullptr, WM_KEYDOWN, VK_F5}, {nullptr, WM_KEYUP, VK_F5}}},
        // Alt+F4 asks the window to close, and it is gone before the keys come up.
        KeyComboCase{"AltF4",
                "ALT+F4",
                {{nullptr, WM_SYSKEYDOWN, VK_MENU}, {nullptr, WM_SYSKEYDOWN, VK_F4}, {nullptr, WM_SYSCOMMAND, SC_CLOSE}}},
        KeyComboCase{"CtrlA",
                "CTRL+A",
                {{nullptr, WM_KEYDOWN, VK_CONTROL},
                 {nullptr, WM_KEYDOWN, 'A'},
                 {nullptr, WM_CHAR, 1},
                 {nullptr, WM_KEYUP, 'A'},
                 {nullptr, WM_KEYUP, VK_CONTROL}}},
        KeyComboCase{"ShiftB",
                "SHIFT+B",
                {{nullptr, WM_KEYDOWN, VK_SHIFT},
                 {nullptr, WM_KEYDOWN, 'B'},
                 {nullptr, WM_CHAR, 'B'},
                 {nullptr, WM_KEYUP, 'B'},
                 {nullptr, WM_KEYUP, VK_SHIFT}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Input, AltPressesAreSystemKeysThatSayAltIsDown) {
  static LPARAM f4Flags = 0;
  static bool altHeld = false;
  WNDCLASSA cls{};
  cls.lpszClassName = "AltProbe";
  cls.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_SYSKEYDOWN && w == VK_F4) {
      f4Flags = l;
      altHeld = (GetKeyState(VK_MENU) & 0x8000) != 0;
    }
    return DefWindowProcA(h, m, w, l);
  };
  RegisterClassA(&cls);
  HWND w = Create({100, 100, 400, 300}, "AltProbe");
  SetFocus(w);
  Play({"key ALT+F4"});
  EXPECT_NE(f4Flags & 0x20000000, 0) << "the context bit";
  EXPECT_TRUE(altHeld);
  EXPECT_FALSE(IsWindow(w)) << "Alt+F4 closed the window";
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000) << "Alt came up again";
}

TEST_F(Input, AHotKeyTakesOnlyItsOwnCombination) {
  HWND w = Create({100, 100, 400, 300});
  SetFocus(w);
  ASSERT_TRUE(RegisterHotKey(w, 7, MOD_CONTROL, 'K'));
  Taken();
  Play({"key K"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{w, WM_KEYDOWN, 'K'}, {w, WM_CHAR, 'k'}, {w, WM_KEYUP, 'K'}}));
  Play({"key CTRL+K"});
  EXPECT_EQ(Taken(), (std::vector<Seen>{{w, WM_KEYDOWN, VK_CONTROL}, {w, WM_HOTKEY, 7}, {w, WM_KEYUP, VK_CONTROL}}));
  UnregisterHotKey(w, 7);
}

TEST_F(Input, ScriptKeysAreCheckedBeforeAnythingIsPressed) {
  for (const char* bad : {"key ALT+", "key F4+ALT", "key HYPER+A", "key ALT+NOSUCHKEY"}) {
    EXPECT_FALSE(winsim::RunScriptLine(bad)) << bad;
  }
  EXPECT_EQ(Taken(), std::vector<Seen>{});
}

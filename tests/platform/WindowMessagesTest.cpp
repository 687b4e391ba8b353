// Window procedures, message order and subclassing, as the framework and
// the skin rely on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DesktopFixture.h"
#include "win32/Windows.h"

namespace {

std::vector<UINT>* g_seen = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_seen) g_seen->push_back(msg);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK RefusingCreateProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return -1;
  return RecordingProc(hwnd, msg, wParam, lParam);
}

class WindowMessages : public DesktopTest {
 protected:
  WindowMessages() {
    g_seen = &m_seen;
    Register("Recording", RecordingProc);
    Register("Refusing", RefusingCreateProc);
  }
  ~WindowMessages() override { g_seen = nullptr; }

  static void Register(const char* name, WNDPROC proc) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = proc;
    cls.lpszClassName = name;
    RegisterClassA(&cls);
  }

  HWND Create(DWORD style = WS_POPUP) {
    return CreateWindowExA(0, "Recording", "w", style, 10, 20, 300, 200, nullptr, nullptr, nullptr, nullptr);
  }

  std::vector<UINT> m_seen;
};

}  // namespace

TEST_F(WindowMessages, CreationSendsItsMessagesInOrderBeforeReturning) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(m_seen, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
}

TEST_F(WindowMessages, CreateAnsweringMinusOneDestroysTheWindow) {
  HWND hwnd = CreateWindowExA(0, "Refusing", "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_EQ(m_seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(WindowMessages, SetWindowPosSendsChangingThenChangedThenMoveAndSize) {
  HWND hwnd = Create();
  m_seen.clear();
  SetWindowPos(hwnd, nullptr, 50, 60, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(m_seen, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.bottom, 360);
  m_seen.clear();
  // A move that keeps the size sends no WM_SIZE and recalculates nothing.
  MoveWindow(hwnd, 70, 60, 400, 300, TRUE);
  EXPECT_EQ(m_seen, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
}

TEST_F(WindowMessages, ReplacingTheWindowProcedureChangesWhatDispatchCalls) {
  HWND hwnd = Create();
  static std::vector<UINT> hooked;
  hooked.clear();
  static WNDPROC previous = nullptr;
  WNDPROC hook = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    hooked.push_back(m);
    return CallWindowProcA(previous, h, m, w, l);
  };
  previous = reinterpret_cast<WNDPROC>(SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(hook)));
  EXPECT_EQ(previous, &RecordingProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongA(hwnd, GWL_WNDPROC)), hook);
  m_seen.clear();
  PostMessageA(hwnd, WM_USER + 7, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);
  SendMessageA(hwnd, WM_USER + 8, 0, 0);
  EXPECT_EQ(hooked, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
  EXPECT_EQ(m_seen, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
}

TEST_F(WindowMessages, PostedMessagesWaitForTheLoopSentOnesDoNot) {
  HWND hwnd = Create();
  m_seen.clear();
  PostMessageA(hwnd, WM_USER + 1, 0, 0);
  EXPECT_TRUE(m_seen.empty());
  SendMessageA(hwnd, WM_USER + 2, 0, 0);
  EXPECT_EQ(m_seen, (std::vector<UINT>{WM_USER + 2}));
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
}

TEST_F(WindowMessages, StylesReadBackAndAdjustWindowRectAddsTheFrame) {
  HWND hwnd = Create(WS_POPUP | WS_CAPTION);
  SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_LAYERED));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
  struct Case {
    DWORD style, exStyle;
    RECT expected;
  } cases[] = {{WS_POPUP, 0, {0, 0, 100, 50}},
               {WS_POPUP | WS_BORDER, 0, {-1, -1, 101, 51}},
               {WS_POPUP, WS_EX_DLGMODALFRAME, {-3, -3, 103, 53}},
               {WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, {-4, -26, 104, 54}}};
  for (const Case& c : cases) {
    RECT r{0, 0, 100, 50};
    AdjustWindowRectEx(&r, c.style, FALSE, c.exStyle);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.style << " " << c.exStyle;
  }
}

TEST_F(WindowMessages, WorkAreaComesFromTheDesktop) {
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, 1920);
  EXPECT_EQ(work.bottom, 1040);
}

TEST_F(WindowMessages, OwnedPopupFollowsItsOwnerIntoMinimisedStateAndBack) {
  HWND owner = Create(WS_POPUP | WS_VISIBLE);
  HWND owned = CreateWindowExA(0, "Recording", "o", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner, nullptr, nullptr,
                               nullptr);
  ASSERT_TRUE(IsWindowVisible(owned));
  ShowWindow(owner, SW_SHOWMINIMIZED);
  EXPECT_TRUE(IsIconic(owner));
  EXPECT_FALSE(IsWindowVisible(owned));
  SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(owner));
  EXPECT_TRUE(IsWindowVisible(owned));
  // The owned window stays above its owner.
  EXPECT_EQ(GetTopWindow(nullptr), owned);
}

TEST_F(WindowMessages, DestroyingAnOwnerDestroysWhatItOwnsFirst) {
  HWND owner = Create();
  HWND owned = CreateWindowExA(0, "Recording", "o", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_FALSE(IsWindow(owned));
}

namespace {

struct RepaintCase {
  const char* name;
  UINT flags;
  RECT to;  // x, y, cx, cy
  std::vector<UINT> expected;
};

}  // namespace

class SetWindowPosRepaint : public WindowMessages, public ::testing::WithParamInterface<RepaintCase> {};

// A visible window whose size or frame changes has its frame painted and
// its background erased before SetWindowPos returns; WM_PAINT waits in the
// queue.
TEST_P(SetWindowPosRepaint, HappensBeforeTheCallReturnsWhenTheSizeOrFrameChanges) {
  const RepaintCase& c = GetParam();
  HWND hwnd = Create(WS_POPUP | WS_VISIBLE);
  UpdateWindow(hwnd);
  m_seen.clear();
  SetWindowPos(hwnd, nullptr, c.to.left, c.to.top, c.to.right, c.to.bottom, c.flags | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(m_seen, c.expected);
  MSG msg;
  const bool painted = std::count(c.expected.begin(), c.expected.end(), static_cast<UINT>(WM_NCPAINT)) > 0;
  EXPECT_EQ(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE) != FALSE, painted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetWindowPosRepaint,
    ::testing::Values(RepaintCase{"Resize",
                                  0,
                                  {50, 60, 400, 300},
                                  {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED,
                                   WM_MOVE, WM_SIZE}},
                      RepaintCase{"FrameChange",
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED,
                                  {0, 0, 0, 0},
                                  {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED}},
                      RepaintCase{"NoRedraw",
                                  SWP_NOREDRAW,
                                  {50, 60, 400, 300},
                                  {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
                      RepaintCase{"MoveOnly", SWP_NOSIZE, {70, 80, 0, 0}, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// A frame drawn by the window itself, 7 pixels at the sides and bottom and
// 32 at the top, as a skinned window computes it.
LRESULT CALLBACK OwnFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCALCSIZE && wParam) {
    RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    r = {r.left + 7, r.top + 32, r.right - 7, r.bottom - 7};
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(WindowMessages, AClientAreaThatTheFrameDoesNotLeaveRoomForIsEmptyNotNegative) {
  Register("OwnFrame", OwnFrameProc);
  HWND hwnd = CreateWindowExA(0, "OwnFrame", "w", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX, 10, 20, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 286);
  EXPECT_EQ(client.bottom, 161);
  // Minimised, the window is 160 x 28: too low for a 39-pixel frame.
  ShowWindow(hwnd, SW_MINIMIZE);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 146);
  EXPECT_EQ(client.bottom, 0);
}

// The dialog manager: creation from templates and its keyboard interface.
#include <gtest/gtest.h>

#include <vector>

#include "DesktopFixture.h"
#include "win32/DialogTemplate.h"
#include "win32/Windows.h"

namespace {

struct DialogLog {
  std::vector<int> commands;
  std::vector<UINT> order;
  HWND initFocus = nullptr;
};

DialogLog* g_log = nullptr;

INT_PTR CALLBACK RecordingDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) {
    g_log->order.push_back(msg);
    g_log->initFocus = reinterpret_cast<HWND>(wParam);
    // The controls exist before WM_INITDIALOG arrives.
    if (GetDlgItem(hDlg, IDOK)) g_log->order.push_back(IDOK);
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    g_log->commands.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(hDlg, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

winsim::DialogItemTemplate Button(DWORD id, DWORD type, const char16_t* text, short x) {
  winsim::DialogItemTemplate b;
  b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | type;
  b.x = x;
  b.y = 40;
  b.cx = 50;
  b.cy = 14;
  b.id = id;
  b.className = "Button";
  b.title = text;
  return b;
}

// A small dialog with an OK button, a Cancel button and a third push button.
std::vector<unsigned char> TestTemplate(bool okIsDefault, bool withCancel) {
  winsim::DialogTemplateData t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
  t.cx = 175;
  t.cy = 64;
  t.title = u"Test";
  t.pointSize = 12;
  t.typeface = u"SimSun";
  t.items.push_back(Button(IDOK, okIsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, u"OK", 10));
  if (withCancel) t.items.push_back(Button(IDCANCEL, BS_PUSHBUTTON, u"Cancel", 70));
  t.items.push_back(Button(77, BS_PUSHBUTTON, u"Other", 130));
  return winsim::BuildDialogTemplate(t);
}

class Dialogs : public DesktopTest {
 protected:
  Dialogs() { g_log = &m_log; }
  ~Dialogs() override { g_log = nullptr; }

  INT_PTR RunModal(const std::vector<unsigned char>& tmpl) {
    return DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                   RecordingDlgProc, 0);
  }

  DialogLog m_log;
};

}  // namespace

TEST_F(Dialogs, TemplatesRoundTripThroughTheBinaryForm) {
  std::vector<unsigned char> bytes = TestTemplate(true, true);
  winsim::DialogTemplateData t;
  ASSERT_TRUE(winsim::ParseDialogTemplate(bytes.data(), bytes.size(), t));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.title, u"Test");
  EXPECT_EQ(t.typeface, u"SimSun");
  ASSERT_EQ(t.items.size(), 3u);
  EXPECT_EQ(t.items[1].className, "Button");
  EXPECT_EQ(t.items[2].id, 77u);
  // A template cut short is refused rather than read past its end.
  EXPECT_FALSE(winsim::ParseDialogTemplate(bytes.data(), bytes.size() - 6, t));
}

TEST_F(Dialogs, ControlsComeFirstThenInitDialogWithTheFirstTabStop) {
  std::vector<unsigned char> tmpl = TestTemplate(true, true);
  HWND hDlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                         RecordingDlgProc, 0);
  ASSERT_NE(hDlg, nullptr);
  EXPECT_EQ(m_log.order, (std::vector<UINT>{WM_INITDIALOG, IDOK}));
  EXPECT_EQ(m_log.initFocus, GetDlgItem(hDlg, IDOK));
  EXPECT_TRUE(IsWindowVisible(hDlg));
  DestroyWindow(hDlg);
}

struct KeyCase {
  const char* name;
  bool okIsDefault;
  bool withCancel;
  std::vector<std::string> script;
  INT_PTR result;
  std::vector<int> commands;
};

class DialogKeys : public Dialogs, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeys, EndTheModalRunAsTheDialogManagerDoes) {
  const KeyCase& c = GetParam();
  Script(c.script);
  EXPECT_EQ(RunModal(TestTemplate(c.okIsDefault, c.withCancel)), c.result);
  EXPECT_EQ(m_log.commands, c.commands);
}

// The dialog centres on the 1920 x 1080 screen's work area; its buttons sit
// 40 dialog units down (at 16-pixel line height, 80 pixels).
INSTANTIATE_TEST_SUITE_P(
    Cases, DialogKeys,
    ::testing::Values(KeyCase{"EnterPressesTheDefaultButton", true, true, {"key ENTER"}, IDOK, {IDOK}},
                      KeyCase{"EnterWithoutDefaultStillSendsOk", false, true, {"key ENTER"}, IDOK, {IDOK}},
                      KeyCase{"EscapeCancels", true, true, {"key ESC"}, IDCANCEL, {IDCANCEL}},
                      KeyCase{"EscapeCancelsWithoutCancelButton", true, false, {"key ESC"}, IDCANCEL, {IDCANCEL}},
                      KeyCase{"TabMovesToTheNextButtonWhichEnterPresses",
                              true,
                              true,
                              {"key TAB", "key TAB", "key ENTER", "key ESC"},
                              IDCANCEL,
                              {77, IDCANCEL}},
                      KeyCase{"ShiftTabMovesBack", true, true, {"key SHIFT+TAB", "key ENTER", "key ESC"}, IDCANCEL,
                              {77, IDCANCEL}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Dialogs, CloseBecomesTheCancelCommand) {
  std::vector<unsigned char> tmpl = TestTemplate(true, true);
  HWND hDlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                         RecordingDlgProc, 0);
  SendMessageA(hDlg, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_log.commands.empty()) << "the command is posted, not sent";
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  DispatchMessageA(&msg);
  EXPECT_EQ(m_log.commands, std::vector<int>{IDCANCEL});
  // With the Cancel button disabled, closing does nothing.
  m_log.commands.clear();
  hDlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                    RecordingDlgProc, 0);
  EnableWindow(GetDlgItem(hDlg, IDCANCEL), FALSE);
  SendMessageA(hDlg, WM_CLOSE, 0, 0);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

TEST_F(Dialogs, ClickingAButtonSendsItsCommand) {
  std::vector<unsigned char> tmpl = TestTemplate(true, true);
  HWND hDlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                         RecordingDlgProc, 0);
  RECT r;
  GetWindowRect(GetDlgItem(hDlg, 77), &r);
  Script({"click " + std::to_string(r.left + 5) + " " + std::to_string(r.top + 5)});
  MSG msg;
  while (m_log.commands.empty() && GetMessageA(&msg, nullptr, 0, 0)) {
    if (!IsDialogMessageA(hDlg, &msg)) DispatchMessageA(&msg);
  }
  EXPECT_EQ(m_log.commands, std::vector<int>{77});
}

TEST_F(Dialogs, MessageBoxIsAModalDialogThatEnterCloses) {
  Script({"key ENTER"});
  EXPECT_EQ(MessageBoxA(nullptr, "text\n", "caption", MB_OK), IDOK);
  const auto& boxes = winsim::Desktop().messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "text\n");
  EXPECT_EQ(boxes[0].caption, "caption");
  // Escape on a box with only OK answers OK too.
  Script({"key ESC"});
  EXPECT_EQ(MessageBoxA(nullptr, "again", nullptr, MB_OK), IDOK);
  EXPECT_EQ(winsim::Desktop().messageBoxes[1].caption, "Error");
}

namespace {

constexpr uint32_t kBlack = 0x000000u;
constexpr uint32_t kHighlight = 0xFFFFFFu;
constexpr uint32_t kShadow = 0xA0A0A0u;
constexpr uint32_t kDarkShadow = 0x696969u;

uint32_t ScreenAt(LONG x, LONG y) {
  const size_t width = static_cast<size_t>(winsim::Desktop().screenWidth);
  return winsim::ComposeScreen()[static_cast<size_t>(y) * width + static_cast<size_t>(x)] & 0xFFFFFFu;
}

// Pixels inside the rectangle that are much darker than a control's face.
int DarkPixels(const RECT& r) {
  const std::vector<uint32_t> screen = winsim::ComposeScreen();
  const size_t width = static_cast<size_t>(winsim::Desktop().screenWidth);
  int dark = 0;
  for (LONG y = r.top; y < r.bottom; ++y) {
    for (LONG x = r.left; x < r.right; ++x) {
      if ((screen[static_cast<size_t>(y) * width + static_cast<size_t>(x)] & 0xFFu) < 0x60) ++dark;
    }
  }
  return dark;
}

RECT ScreenRectOf(HWND hDlg, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(hDlg, id), &r);
  return r;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

// The close confirmation's template: "确定" (the default button), "取消" and
// the question, all readable on the screen.
TEST_F(Dialogs, PushButtonsAndStaticTextPaintThemselves) {
  HWND hDlg = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(167), nullptr, RecordingDlgProc, 0);
  ASSERT_NE(hDlg, nullptr);
  ShowWindow(hDlg, SW_SHOW);
  Pump();
  const RECT ok = ScreenRectOf(hDlg, IDOK), cancel = ScreenRectOf(hDlg, IDCANCEL);
  const RECT text = ScreenRectOf(hDlg, -1);
  EXPECT_EQ(ScreenAt(ok.left, ok.top), kBlack) << "the default button's frame";
  EXPECT_EQ(ScreenAt(ok.left + 1, ok.top + 1), kHighlight);
  EXPECT_EQ(ScreenAt(cancel.left, cancel.top), kHighlight) << "a raised edge";
  EXPECT_EQ(ScreenAt(cancel.right - 1, cancel.bottom - 1), kDarkShadow);
  for (const RECT& r : {ok, cancel, text}) EXPECT_GT(DarkPixels(r), 20) << "text is drawn";
  EXPECT_EQ(ScreenAt(text.left, text.top), static_cast<uint32_t>(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFFu);
  RECT frame;
  GetWindowRect(hDlg, &frame);
  EXPECT_EQ(ScreenAt(frame.left, (frame.top + frame.bottom) / 2), kBlack) << "the thin border";

  // Held down, a button looks pressed; released elsewhere, it comes back up without a command.
  const std::string centre = std::to_string((cancel.left + cancel.right) / 2) + " " + std::to_string((cancel.top + cancel.bottom) / 2);
  ASSERT_TRUE(winsim::RunScriptLine("down " + centre));
  Pump();
  EXPECT_EQ(ScreenAt(cancel.left, cancel.top), kShadow);
  ASSERT_TRUE(winsim::RunScriptLine("up 5 5"));
  Pump();
  EXPECT_EQ(ScreenAt(cancel.left, cancel.top), kHighlight);
  EXPECT_TRUE(m_log.commands.empty());
  DestroyWindow(hDlg);
}

TEST_F(Dialogs, AGroupBoxFramesItsControlsAndLetsClicksThrough) {
  winsim::DialogTemplateData t;
  t.style = WS_POPUP | WS_VISIBLE | DS_SETFONT;
  t.cx = 200;
  t.cy = 100;
  t.pointSize = 12;
  t.typeface = u"SimSun";
  winsim::DialogItemTemplate group = Button(50, BS_GROUPBOX, u"Group", 10);
  group.style &= ~static_cast<DWORD>(WS_TABSTOP);
  group.y = 10;
  group.cx = 150;
  group.cy = 60;
  t.items = {group, Button(77, BS_PUSHBUTTON, u"Inside", 30)};
  t.items[1].y = 30;
  std::vector<unsigned char> tmpl = winsim::BuildDialogTemplate(t);
  HWND hDlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                         RecordingDlgProc, 0);
  ASSERT_NE(hDlg, nullptr);
  Pump();
  const RECT box = ScreenRectOf(hDlg, 50);
  const LONG frameTop = box.top + 8;  // half the 16-pixel text height
  EXPECT_EQ(ScreenAt(box.left, (frameTop + box.bottom) / 2), kShadow);
  EXPECT_EQ(ScreenAt(box.left + 1, (frameTop + box.bottom) / 2), kHighlight);
  EXPECT_EQ(ScreenAt(box.left + 100, box.bottom - 2), kShadow);
  EXPECT_GT(DarkPixels({box.left + 8, box.top, box.left + 60, frameTop + 8}), 10) << "its title";
  const RECT inside = ScreenRectOf(hDlg, 77);
  ASSERT_TRUE(winsim::RunScriptLine("click " + std::to_string(inside.left + 5) + " " + std::to_string(inside.top + 5)));
  Pump();
  EXPECT_EQ(m_log.commands, std::vector<int>{77}) << "the button inside the box takes the click";
  DestroyWindow(hDlg);
}

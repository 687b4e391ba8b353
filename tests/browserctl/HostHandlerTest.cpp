// The control obeys its host's document UI handler: the frame it draws, its
// context menu, the keys it lets the host see first and the external object
// a page reads.
#include <gtest/gtest.h>

#include "TestContainer.h"
#include "desktop/Desktop.h"
#include "win32/Windows.h"

namespace browser_test {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBorderShadow = 0xA0A0A0;
constexpr uint32_t kScrollTrack = 0xF0F0F0;

struct FrameCase {
  const char* name;
  bool offersHandler;
  HRESULT hostInfoResult;
  DWORD hostFlags;
  DWORD recordedFlags;
  uint32_t cornerPixel;  // the control's top-left pixel
  uint32_t stripPixel;   // near the right edge, where a scroll bar would be
};

class HostFrame : public BrowserTest, public ::testing::WithParamInterface<FrameCase> {};

}  // namespace

TEST_P(HostFrame, FollowsTheHostInfoFlags) {
  const FrameCase& c = GetParam();
  m_site.offersHandler = c.offersHandler;
  m_site.hostInfoResult = c.hostInfoResult;
  m_site.hostFlags = c.hostFlags;
  Host();
  Navigate("about:blank");
  Pump();
  EXPECT_EQ(Record()["host_flags"], c.recordedFlags);
  const RECT r = ControlRect();
  EXPECT_EQ(ScreenPixel({r.left, r.top}), c.cornerPixel);
  EXPECT_EQ(ScreenPixel({r.right - 10, r.top + 6}), c.stripPixel);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, HostFrame,
    ::testing::Values(
        FrameCase{"NoBorderNoScroll", true, S_OK, DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO, 0x0C, kWhite, kWhite},
        FrameCase{"NoBorderOnly", true, S_OK, DOCHOSTUIFLAG_NO3DBORDER, 0x04, kWhite, kScrollTrack},
        FrameCase{"DefaultsAsked", true, S_OK, 0, 0, kBorderShadow, kScrollTrack},
        FrameCase{"HostDeclines", true, E_NOTIMPL, DOCHOSTUIFLAG_NO3DBORDER, 0, kBorderShadow, kScrollTrack},
        FrameCase{"NoHandler", false, S_OK, DOCHOSTUIFLAG_NO3DBORDER, 0, kBorderShadow, kScrollTrack}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct ContextMenuCase {
  const char* name;
  HRESULT answer;
  int ownMenusShown;
};

class ContextMenu : public BrowserTest, public ::testing::WithParamInterface<ContextMenuCase> {};

}  // namespace

TEST_P(ContextMenu, OwnMenuOnlyWhenTheHostDoesNotAnswerSOk) {
  const ContextMenuCase& c = GetParam();
  m_site.contextMenuResult = c.answer;
  Host();
  nlohmann::json openMenu;
  winsim::RegisterScriptAction("probe-menu", [&](const std::vector<std::string>&) {
    openMenu = winsim::DumpState(std::nullopt)["menu"];
    return true;
  });
  // Without a menu of its own, no loop waits for these lines and the script stays unread.
  if (c.ownMenusShown) Script({"probe-menu", "menu-cancel"});
  const RECT r = ControlRect();
  const POINT at{r.left + 50, r.top + 60};
  ASSERT_TRUE(winsim::RunScriptLine("rclick " + std::to_string(at.x) + " " + std::to_string(at.y)));
  Pump();
  ASSERT_EQ(m_site.contextMenuPoints.size(), 1u);
  EXPECT_EQ(m_site.contextMenuPoints[0].x, at.x);
  EXPECT_EQ(m_site.contextMenuPoints[0].y, at.y);
  EXPECT_EQ(Record()["context_menus_shown"], c.ownMenusShown);
  EXPECT_EQ(openMenu.is_array(), c.ownMenusShown == 1);
  EXPECT_TRUE(winsim::DumpState(std::nullopt)["menu"].is_null());
}

INSTANTIATE_TEST_SUITE_P(Answers, ContextMenu,
                         ::testing::Values(ContextMenuCase{"HostShowsNothing", S_OK, 0},
                                           ContextMenuCase{"HostDeclines", S_FALSE, 1},
                                           ContextMenuCase{"HostNotImplemented", E_NOTIMPL, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserTest, KeysGoToTheHostFirstAndF5DoesNotRefreshByItself) {
  Host();
  Navigate(s_portal->Url("/quom"));
  Pump();
  SetFocus(m_control.hwnd);
  ASSERT_TRUE(winsim::RunScriptLine("key F5"));
  Pump();
  EXPECT_EQ(m_site.acceleratorMessages, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
  EXPECT_EQ(Record()["refreshes"], 0);
}

namespace {

struct ExternalCase {
  const char* name;
  bool hostHasExternal;
  const char* member;
  const char* result;
};

class External : public BrowserTest, public ::testing::WithParamInterface<ExternalCase> {};

}  // namespace

TEST_P(External, APageReadsTheHostsObjectAndReleasesIt) {
  const ExternalCase& c = GetParam();
  ExternalObject external;
  if (c.hostHasExternal) m_site.external = &external;
  Host(102);
  ASSERT_TRUE(winsim::RunScriptLine(std::string("external 102 ") + c.member));
  const nlohmann::json reads = Record()["external"];
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0]["name"], c.member);
  EXPECT_EQ(reads[0]["result"], c.result);
  EXPECT_EQ(external.References(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Members, External,
    ::testing::Values(ExternalCase{"KnownMember", true, "xxyyzz", "Wibble"},
                      ExternalCase{"UnknownMember", true, "nope", "error 0x80020006 from GetIDsOfNames"},
                      ExternalCase{"NoExternalObject", false, "xxyyzz", "error 0x80004001 from GetExternal"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace browser_test

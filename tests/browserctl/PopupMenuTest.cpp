// Popup menus: a modal loop that shows the menu as a window of its own and
// ends with the chosen command or none, returned or posted to the owner;
// and the window menu each window has.
#include <gtest/gtest.h>

#include <vector>

#include "DesktopFixture.h"
#include "desktop/Desktop.h"
#include "win32/Windows.h"

namespace {

std::vector<MSG>* g_ownerMessages = nullptr;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_ownerMessages && (msg == WM_COMMAND || msg == WM_SYSCOMMAND || msg == WM_ENTERMENULOOP ||
                          msg == WM_INITMENUPOPUP || msg == WM_EXITMENULOOP)) {
    g_ownerMessages->push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string Click(POINT p) { return "click " + std::to_string(p.x) + " " + std::to_string(p.y); }

class PopupMenu : public DesktopTest {
 protected:
  PopupMenu() {
    g_ownerMessages = &m_messages;
    WNDCLASSA cls{};
    cls.lpfnWndProc = OwnerProc;
    cls.lpszClassName = "MenuOwner";
    RegisterClassA(&cls);
    m_owner = CreateWindowExA(0, "MenuOwner", "owner", WS_POPUP | WS_VISIBLE, 200, 200, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    SetFocus(m_owner);
    m_menu = CreatePopupMenu();
    AppendMenuA(m_menu, MF_STRING, 1, "One");
    AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m_menu, MF_STRING, 2, "&Two");
    AppendMenuA(m_menu, MF_STRING, 3, "Three\tCtrl+T");
    // While the menu is open: what the dump shows, and a click on the item whose text starts so.
    winsim::RegisterScriptAction("probe", [this](const std::vector<std::string>&) {
      m_openMenu = winsim::DumpState(std::nullopt)["menu"];
      GetClassNameA(winsim::TopLevelZOrder().front(), m_topClass, sizeof m_topClass);
      const std::vector<uint32_t> screen = winsim::ComposeScreen();
      const auto& r = m_openMenu.at(0)["rect"];
      m_itemPixel = screen[r[1].get<size_t>() * static_cast<size_t>(winsim::Desktop().screenWidth) + r[0].get<size_t>() + 2];
      return true;
    });
    winsim::RegisterScriptAction("click-item", [](const std::vector<std::string>& words) {
      const nlohmann::json menu = winsim::DumpState(std::nullopt)["menu"];
      for (const auto& item : menu) {
        if (item["text"].get<std::string>().rfind(words.at(0), 0) != 0) continue;
        const auto& r = item["rect"];
        return winsim::RunScriptLine(Click({(r[0].get<LONG>() + r[2].get<LONG>()) / 2, (r[1].get<LONG>() + r[3].get<LONG>()) / 2}));
      }
      return false;
    });
  }
  ~PopupMenu() override {
    DestroyMenu(m_menu);
    DestroyWindow(m_owner);
    g_ownerMessages = nullptr;
  }

  std::vector<UINT> Commands() const {
    std::vector<UINT> ids;
    for (const MSG& m : m_messages) {
      if (m.message == WM_COMMAND) ids.push_back(LOWORD(m.wParam));
    }
    return ids;
  }

  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

  HWND m_owner = nullptr;
  HMENU m_menu = nullptr;
  std::vector<MSG> m_messages;
  nlohmann::json m_openMenu;
  char m_topClass[16] = {};
  uint32_t m_itemPixel = 0;
};

struct TrackCase {
  const char* name;
  UINT flags;
  std::vector<std::string> script;
  BOOL returned;
  std::vector<UINT> posted;
};

class Tracking : public PopupMenu, public ::testing::WithParamInterface<TrackCase> {};

}  // namespace

TEST_P(Tracking, EndsWithTheChoiceReturnedOrPosted) {
  const TrackCase& c = GetParam();
  Script(c.script);
  EXPECT_EQ(TrackPopupMenu(m_menu, c.flags, 300, 250, 0, m_owner, nullptr), c.returned);
  EXPECT_TRUE(Commands().empty()) << "a posted command arrives after the call returns";
  Pump();
  EXPECT_EQ(Commands(), c.posted);
  for (const MSG& m : m_messages) {
    if (m.message == WM_COMMAND) {
      EXPECT_EQ(m.lParam, 0);
    }
  }
  EXPECT_TRUE(winsim::DumpState(std::nullopt)["menu"].is_null());
}

INSTANTIATE_TEST_SUITE_P(
    Ends, Tracking,
    ::testing::Values(TrackCase{"TextReturned", TPM_RETURNCMD, {"menu Two"}, 2, {}},
                      TrackCase{"TextPosted", TPM_LEFTALIGN, {"menu &Two"}, TRUE, {2}},
                      TrackCase{"ShortcutTextFound", TPM_RETURNCMD, {"menu Three"}, 3, {}},
                      TrackCase{"ClickOnItemReturned", TPM_RETURNCMD, {"click-item One"}, 1, {}},
                      TrackCase{"ClickOnItemPosted", 0, {"click-item Three"}, TRUE, {3}},
                      TrackCase{"CancelledReturnsNothing", TPM_RETURNCMD, {"menu-cancel"}, 0, {}},
                      TrackCase{"CancelledPostsNothing", 0, {"menu-cancel"}, TRUE, {}},
                      TrackCase{"ArrowsSkipTheSeparator", TPM_RETURNCMD, {"key DOWN", "key DOWN", "key RETURN"}, 2, {}},
                      TrackCase{"ArrowUpWrapsToTheLast", 0, {"key UP", "key ENTER"}, TRUE, {3}},
                      TrackCase{"EscapeCancels", TPM_RETURNCMD, {"key ESC"}, 0, {}},
                      TrackCase{"ClickOutsideCancels", TPM_RETURNCMD, {"click 20 20"}, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PopupMenu, ShowsItsItemsOnTopAndTellsTheOwner) {
  Script({"probe", "menu One"});
  ASSERT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 300, 250, 0, m_owner, nullptr), 1);
  ASSERT_EQ(m_openMenu.size(), 4u);
  EXPECT_EQ(m_openMenu[2]["id"], 2);
  EXPECT_EQ(m_openMenu[2]["text"], "&Two");
  EXPECT_EQ(m_openMenu[0]["rect"][0], 301);
  EXPECT_EQ(m_openMenu[0]["rect"][1], 253);
  EXPECT_STREQ(m_topClass, "#32768");
  EXPECT_EQ(m_itemPixel & 0xFFFFFFu, 0xF2F2F2u) << "the menu is drawn while it is open";
  HWND topNonTopmost = nullptr;
  for (HWND h : winsim::TopLevelZOrder()) {
    if (!(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
      topNonTopmost = h;
      break;
    }
  }
  EXPECT_EQ(topNonTopmost, m_owner) << "the menu's window goes with the menu";
  std::vector<UINT> notices;
  for (const MSG& m : m_messages) notices.push_back(m.message);
  EXPECT_EQ(notices, (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
  EXPECT_EQ(m_messages[1].wParam, reinterpret_cast<WPARAM>(m_menu));
}

TEST_F(PopupMenu, TheWindowMenuIsTheWindowsOwnAndItsChoiceArrivesAsACommand) {
  HMENU menu = GetSystemMenu(m_owner, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(m_owner, FALSE), menu);
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE}));
  Script({"menu Close"});
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 300, 250, 0, m_owner, nullptr));
  Pump();
  EXPECT_EQ(Commands(), (std::vector<UINT>{SC_CLOSE}));
  EXPECT_TRUE(IsWindow(m_owner)) << "a command, not WM_SYSCOMMAND";
  EXPECT_EQ(GetSystemMenu(m_owner, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(menu)) << "reverting drops the window's copy";
}

TEST_F(PopupMenu, BadHandlesFailAsOnThePlatform) {
  HMENU bogus = reinterpret_cast<HMENU>(0x1234);
  EXPECT_EQ(GetMenuItemCount(bogus), -1);
  EXPECT_FALSE(AppendMenuA(bogus, MF_STRING, 1, "x"));
  EXPECT_FALSE(TrackPopupMenu(bogus, TPM_RETURNCMD, 0, 0, 0, m_owner, nullptr));
  EXPECT_FALSE(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, reinterpret_cast<HWND>(0x1234), nullptr));
  EXPECT_EQ(GetMenuItemID(m_menu, 4), static_cast<UINT>(-1));
  EXPECT_EQ(GetSystemMenu(reinterpret_cast<HWND>(0x1234), FALSE), nullptr);
}

TEST_F(PopupMenu, AHiddenOwnersMenuShowsToo) {
  ShowWindow(m_owner, SW_HIDE);
  Script({"probe", "menu Two"});
  EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 300, 250, 0, m_owner, nullptr), 2);
  EXPECT_STREQ(m_topClass, "#32768");
  EXPECT_EQ(m_itemPixel & 0xFFFFFFu, 0xF2F2F2u);
}

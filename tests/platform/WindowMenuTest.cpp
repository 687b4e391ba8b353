// The window menu as the user reaches it from outside the window: a right
// click on the window's taskbar button opens it, items that do not apply
// are greyed, and the choice arrives at the window as WM_SYSCOMMAND.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DesktopFixture.h"
#include "desktop/Taskbar.h"
#include "win32/Windows.h"

namespace {

std::vector<WPARAM>* g_commands = nullptr;

LRESULT CALLBACK AppProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND && g_commands) g_commands->push_back(wParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Which items of the open menu can be chosen, by command id.
std::map<unsigned, bool> Enabled(const nlohmann::json& dump) {
  std::map<unsigned, bool> enabled;
  for (const auto& item : dump.at("menu")) {
    if (item["id"] != 0) enabled[item["id"].get<unsigned>()] = item["enabled"].get<bool>();
  }
  return enabled;
}

class WindowMenu : public DesktopTest {
 protected:
  WindowMenu() {
    g_commands = &m_commands;
    WNDCLASSA cls{};
    cls.lpfnWndProc = AppProc;
    cls.lpszClassName = "App";
    RegisterClassA(&cls);
    m_window = CreateWindowExA(WS_EX_APPWINDOW, "App", "App",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                   WS_VISIBLE,
                               100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr);
    winsim::EnsureTaskbar();
    const nlohmann::json dump = winsim::DumpState(std::nullopt);
    const nlohmann::json& r = dump["taskbar"].at(0)["rect"];
    m_button = std::to_string((r[0].get<int>() + r[2].get<int>()) / 2) + " " +
               std::to_string((r[1].get<int>() + r[3].get<int>()) / 2);
    // "refused WORDS" notes whether "menu WORDS" was refused as a choice no person can make.
    winsim::RegisterScriptAction("refused", [this](const std::vector<std::string>& words) {
      m_refused.push_back(!winsim::RunScriptLine("menu " + (words.empty() ? std::string() : words[0])));
      return true;
    });
  }
  ~WindowMenu() override {
    winsim::RegisterScriptAction("refused", [](const std::vector<std::string>&) { return false; });
    g_commands = nullptr;
  }

  // Plays the script until the condition holds.
  template <typename Done>
  void RunUntil(std::vector<std::string> script, Done done) {
    Script(std::move(script));
    MSG msg;
    while (!done() && GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
  }

  HWND m_window = nullptr;
  std::string m_button;
  std::vector<WPARAM> m_commands;
  std::vector<bool> m_refused;
};

constexpr unsigned kRestore = SC_RESTORE, kMove = SC_MOVE, kSize = SC_SIZE, kMinimize = SC_MINIMIZE,
                   kMaximize = SC_MAXIMIZE, kClose = SC_CLOSE;

}  // namespace

TEST_F(WindowMenu, ARightClickOnTheTaskbarButtonOpensItAndTheChoiceIsASystemCommand) {
  RunUntil({"rclick " + m_button, "probe", "menu #61472"}, [&] { return IsIconic(m_window) != FALSE; });
  ASSERT_EQ(m_probes.size(), 1u);
  EXPECT_EQ(Enabled(m_probes[0]), (std::map<unsigned, bool>{{kRestore, false},
                                                           {kMove, true},
                                                           {kSize, true},
                                                           {kMinimize, true},
                                                           {kMaximize, true},
                                                           {kClose, true}}));
  EXPECT_EQ(m_commands, std::vector<WPARAM>{SC_MINIMIZE});
}

TEST_F(WindowMenu, AMinimisedWindowOffersRestoreAndNotWhatItCannotDo) {
  ShowWindow(m_window, SW_MINIMIZE);
  RunUntil({"rclick " + m_button, "probe", "refused #61472", "menu Restore"},
           [&] { return IsIconic(m_window) == FALSE; });
  ASSERT_EQ(m_probes.size(), 1u);
  EXPECT_EQ(Enabled(m_probes[0]), (std::map<unsigned, bool>{{kRestore, true},
                                                           {kMove, false},
                                                           {kSize, false},
                                                           {kMinimize, false},
                                                           {kMaximize, true},
                                                           {kClose, true}}));
  EXPECT_EQ(m_refused, std::vector<bool>{true}) << "a greyed item cannot be chosen";
  EXPECT_EQ(m_commands, std::vector<WPARAM>{SC_RESTORE});
}

TEST_F(WindowMenu, ChoosingByIdTakesOnlyAnIdThatIsThere) {
  RunUntil({"rclick " + m_button, "refused #12345", "refused #61536x", "menu #61536"},
           [&] { return !IsWindow(m_window); });
  EXPECT_EQ(m_refused, (std::vector<bool>{true, true}));
  EXPECT_EQ(m_commands, std::vector<WPARAM>{SC_CLOSE});
}

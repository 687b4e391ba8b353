// The game window's command menu, opened as the skinned frame's settings
// button opens it, with the launcher running in this process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <stdexcept>

#include "ProgramRun.h"
#include "desktop/Desktop.h"
#include "framework.h"
#include "launcher/LorvaneApp.h"
#include "launcher/LorvaneDlg.h"
#include "win32/Window.h"

namespace {

std::map<std::string, nlohmann::json> g_snapshots;

nlohmann::json MainBrowser(const nlohmann::json& dump) {
  for (const auto& b : dump["browsers"]) {
    if (b["dialog"] == 102) return b;
  }
  return nullptr;
}

bool MainVisible(const nlohmann::json& dump) {
  for (const auto& w : dump["windows"]) {
    if (w["template"] == 102) return w["visible"];
  }
  return false;
}

}  // namespace

TEST(CommandMenu, RefreshesClearsTheCacheAndHidesToTheTray) {
  testing_support::ScratchDir dir;
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  winsim::ResetDesktop();
  winsim::ResetWindowManager();
  winsim::ClearUrlCache();
  winsim::AddUrlCacheEntry("http://www.example/a.png");
  winsim::AddUrlCacheEntry("http://www.example/cookie.php");
  winsim::RegisterScriptAction("enter-game", [](const std::vector<std::string>& args) {
    theApp.HandOverGameUrl(args.at(0).c_str());
    return true;
  });
  winsim::RegisterScriptAction("command-menu", [](const std::vector<std::string>&) {
    theApp.m_pMainDlg->ShowCommandMenu();
    return true;
  });
  winsim::RegisterScriptAction("snapshot", [](const std::vector<std::string>& args) {
    g_snapshots[args.at(0)] = winsim::DumpState(std::nullopt);
    return true;
  });
  winsim::SetInputExhaustedHandler([] { throw std::runtime_error("the script ran out"); });
  winsim::SetScriptLines({"enter-game http://127.0.0.1:1/clientex/bin/index.php?uid=d&server_id=s12&x",
                          "command-menu", "snapshot menu", "menu 刷新(F5)", "snapshot refreshed",
                          "command-menu", "menu 清理缓存", "snapshot cleared",
                          "command-menu", "menu 老板键(F11)", "snapshot hidden",
                          "tray-click 128 right", "menu 关闭"});

  // What the program's entry point does before it starts the application.
  static char commandLine[] = "";
  theApp.SetCurrentHandles(GetModuleHandleA(nullptr), commandLine, SW_SHOWDEFAULT);
  EXPECT_FALSE(theApp.InitInstance());
  theApp.ExitInstance();
  ASSERT_EQ(chdir(cwd), 0);

  const nlohmann::json& menu = g_snapshots.at("menu")["menu"];
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0]["id"], 10000);
  EXPECT_EQ(menu[0]["text"], "刷新(F5)");
  EXPECT_EQ(menu[1]["text"], "清理缓存");
  EXPECT_EQ(menu[2]["text"], "老板键(F11)");
  EXPECT_EQ(MainBrowser(g_snapshots.at("refreshed"))["refreshes"], 1);
  EXPECT_EQ(winsim::UrlCacheEntries(), std::vector<std::string>{"http://www.example/cookie.php"});
  const nlohmann::json& hidden = g_snapshots.at("hidden");
  EXPECT_FALSE(MainVisible(hidden));
  EXPECT_EQ(hidden["tray"].size(), 1u);
}

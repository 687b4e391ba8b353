// The player's path through the launcher: the frame with the panel, a server
// chosen on the start page, the game window, the boss key and the tray.
#include <gtest/gtest.h>

#include <filesystem>

#include "GameFixture.h"
#include "PngImage.h"

using testing_support::ProgramRun;

namespace {

// Where the frame and the panel stand on the 1920 x 1040 work area, and the
// centres of the panel's controls on the screen.
constexpr int kPanelLeft = 116;
constexpr int kPanelTop = -47;
std::string At(int panelX, int panelY) {
  return std::to_string(kPanelLeft + panelX) + " " + std::to_string(kPanelTop + panelY);
}
const std::string kClose = At(1150 + 13, 297 + 13);
const std::string kMinimise = At(1122 + 13, 297 + 13);
const std::string kBrowserBlank = At(575 + 300, 385 + 300);

const char kTitle12[] = "Fenlow 《Duskmere》 双线12服";
const char kFrameTitle[] = "Fenlow游戏-Duskmere登陆器";
const std::string kPortal = std::string("http://") + LORVANE_PORTAL_HOST;

nlohmann::json Dump(const testing_support::ProgramResult& r, const std::string& name) {
  return nlohmann::json::parse(testing_support::ReadText(r.out / (name + ".json")));
}

bool HasHotKey(const nlohmann::json& dump) {
  for (const auto& k : dump["hotkeys"]) {
    if (k["id"] == 1001 && k["vk"] == 0x7A && k["modifiers"] == 0) return true;
  }
  return false;
}

}  // namespace

TEST_F(GameTest, PlayerPathFromServerListToGameToTrayAndBack) {
  ProgramRun run;
  run.script = {"shot 01-frame",        "dump frame",       "browse 132 " + GameUrl("s12"), "shot 02-game",
                "dump game",            "key F11",          "key F11",                      "shot 03-tray",
                "dump tray",            "tray-click 128 left", "shot 04-restored",          "dump restored",
                "key F11",              "tray-click 128 right", "menu 关闭"};
  auto result = Play(run);
  ASSERT_EQ(result.exitCode, 0);

  auto frame = Dump(result, "frame");
  EXPECT_EQ(Main(frame)["visible"], true);
  EXPECT_EQ(Panel(frame)["visible"], true);
  EXPECT_EQ(Browser(frame, 132)["url"], std::string("http://") + LORVANE_PORTAL_HOST + "/quom/wd/index.html");
  EXPECT_EQ(Browser(frame, 132)["silent"], true);
  EXPECT_EQ(Browser(frame, 102)["silent"], false);

  auto game = Dump(result, "game");
  EXPECT_EQ(Main(game)["title"], kTitle12);
  EXPECT_EQ(Main(game)["rect"], nlohmann::json::array({0, 0, 1920, 1040}));
  EXPECT_EQ(Main(game)["exstyle"].get<unsigned>() & 0x80000u, 0u) << "no longer layered";
  EXPECT_EQ(Panel(game)["visible"], false);
  EXPECT_EQ(Browser(game, 102)["navigations"], nlohmann::json::array({GameUrl("s12")}));
  EXPECT_EQ(Browser(game, 132)["stops"], 1);
  EXPECT_TRUE(HasHotKey(game));
  EXPECT_EQ(game["taskbar"].size(), 1u);

  auto tray = Dump(result, "tray");
  EXPECT_EQ(Main(tray)["visible"], false);
  ASSERT_EQ(tray["tray"].size(), 1u) << "pressing the boss key again changes nothing";
  EXPECT_EQ(tray["tray"][0]["id"], 128);
  EXPECT_EQ(tray["tray"][0]["tip"], "Duskmere");
  EXPECT_EQ(tray["tray"][0]["callback"], 12345);
  EXPECT_TRUE(tray["taskbar"].empty());

  auto restored = Dump(result, "restored");
  EXPECT_EQ(Main(restored)["visible"], true);
  EXPECT_TRUE(restored["tray"].empty());

  EXPECT_TRUE(result.final["tray"].empty()) << "no tray icon is left after the launcher closed";
  EXPECT_TRUE(result.final["messageboxes"].empty()) << "the tray menu closes without asking";

  // Hidden in the tray, the game leaves the desktop showing where it was.
  const testing_support::PngImage hidden(result.out / "03-tray.png");
  EXPECT_EQ(hidden.Rgb(960, 500), 0x808000u);
  const testing_support::PngImage shown(result.out / "04-restored.png");
  EXPECT_NE(shown.Rgb(960, 500), 0x808000u);

  // The session's screenshots stay for people to look at.
  std::filesystem::create_directories(LORVANE_SESSION_OUT);
  for (const char* shot : {"01-frame", "02-game", "03-tray", "04-restored"}) {
    std::filesystem::path png = result.out / (std::string(shot) + ".png");
    ASSERT_FALSE(testing_support::PngImage(png).empty()) << shot;
    testing_support::CopyFile(png, std::filesystem::path(LORVANE_SESSION_OUT) / png.filename());
  }
}

struct ServerCase {
  const char* name;
  std::string url;
  const char* title;
};

class ServerNumber : public GameTest, public ::testing::WithParamInterface<ServerCase> {};

TEST_P(ServerNumber, IsReadFromOneCharacterAfterTheKey) {
  ProgramRun run;
  run.script = {"browse 132 " + GetParam().url, "dump game"};
  auto result = Play(run);
  EXPECT_EQ(Main(Dump(result, "game"))["title"], GetParam().title);
}

const std::string kGamePage = std::string("http://") + LORVANE_PORTAL_HOST + "/clientex/bin/index.php?";

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerNumber,
    ::testing::Values(ServerCase{"LetterBeforeDigits", kGamePage + "uid=d&server_id=s15&sign=x", "Fenlow 《Duskmere》 双线15服"},
                      ServerCase{"DigitsRightAfterTheKey", kGamePage + "uid=d&server_id=15&sign=x", "Fenlow 《Duskmere》 双线5服"},
                      ServerCase{"KeyIsTheLastParameter", kGamePage + "uid=d&sign=x&server_id=s15", "Fenlow 《Duskmere》 双线0服"},
                      ServerCase{"NoKey", kGamePage + "uid=d&sign=x", "Fenlow 《Duskmere》 双线0服"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTest, TheHandOverHappensOnceAndOnlyForTheExactMarker) {
  std::string otherCase = std::string("http://") + LORVANE_PORTAL_HOST + "/ClientEx/bin/index.php?uid=d&server_id=s15";
  ProgramRun run;
  run.script = {"browse 132 " + otherCase, "dump other-case", "browse 132 " + GameUrl("s12"),
                "browse 132 " + GameUrl("s15"), "dump twice"};
  auto result = Play(run);
  auto before = Dump(result, "other-case");
  EXPECT_EQ(Panel(before)["visible"], true);
  EXPECT_TRUE(Browser(before, 102)["navigations"].empty());
  auto after = Dump(result, "twice");
  EXPECT_EQ(Main(after)["title"], kTitle12);
  EXPECT_EQ(Browser(after, 102)["navigations"], nlohmann::json::array({GameUrl("s12")}));
  EXPECT_EQ(Browser(after, 132)["stops"], 2);
}

TEST_F(GameTest, TheGamePageWithoutTheMarkersQuestionMarkIsNotAGame) {
  ProgramRun run;
  run.script = {"browse 132 " + kPortal + "/clientex/bin/index.php", "dump after"};
  auto result = Play(run);
  auto after = Dump(result, "after");
  EXPECT_EQ(Browser(after, 132)["url"], kPortal + "/clientex/bin/index.php") << "the page opened in the panel";
  EXPECT_EQ(Panel(after)["visible"], true);
  EXPECT_EQ(Main(after)["title"], std::string(kFrameTitle));
  EXPECT_NE(Main(after)["exstyle"].get<unsigned>() & 0x80000u, 0u) << "still the layered frame";
  EXPECT_TRUE(Browser(after, 102)["navigations"].empty());
  EXPECT_EQ(Browser(after, 132)["stops"], 0);
}

struct WorkAreaCase {
  const char* name;
  const char* workArea;  // left,top,right,bottom
  std::vector<int> rect;
};

class GameOnAWorkArea : public GameTest, public ::testing::WithParamInterface<WorkAreaCase> {};

TEST_P(GameOnAWorkArea, CoversExactlyTheWorkArea) {
  ProgramRun run;
  run.env["WINSIM_WORKAREA"] = GetParam().workArea;
  run.script = {"browse 132 " + GameUrl("s12"), "dump game"};
  auto result = Play(run);
  EXPECT_EQ(Main(Dump(result, "game"))["rect"].get<std::vector<int>>(), GetParam().rect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GameOnAWorkArea,
    ::testing::Values(WorkAreaCase{"TaskbarAtTheTop", "0,40,1920,1080", {0, 40, 1920, 1080}},
                      WorkAreaCase{"TaskbarAtTheLeft", "64,0,1920,1080", {64, 0, 1920, 1080}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTest, DraggingTheFrameMovesThePanelWithItAtEveryStep) {
  ProgramRun run;
  run.script = {"dump start", "down 300 300", "move 350 320", "dump middle", "move 400 340", "up 400 340", "dump end"};
  auto result = Play(run);
  auto rectOf = [](const nlohmann::json& w) { return w["rect"].get<std::vector<int>>(); };
  auto start = Dump(result, "start");
  std::vector<int> main0 = rectOf(Main(start));
  for (auto [name, dx, dy] : {std::tuple{"middle", 50, 20}, std::tuple{"end", 100, 40}}) {
    auto dump = Dump(result, name);
    std::vector<int> main = rectOf(Main(dump));
    std::vector<int> panel = rectOf(Panel(dump));
    EXPECT_EQ(main, (std::vector<int>{main0[0] + dx, main0[1] + dy, main0[2] + dx, main0[3] + dy})) << name;
    EXPECT_EQ(panel, (std::vector<int>{main[0] + 3, main[1], main[2] + 3, main[3]})) << name;
  }
}

struct ButtonCase {
  const char* name;
  std::string click;
  std::string shellFile;  // empty: no link opened
  int exitCode;
};

class PanelButton : public GameTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(PanelButton, DoesItsJob) {
  ProgramRun run;
  run.script = {"click " + GetParam().click};
  auto result = Play(run);
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_TRUE(result.final["messageboxes"].empty());
  if (GetParam().shellFile.empty()) {
    EXPECT_TRUE(result.final["shell"].empty());
    return;
  }
  ASSERT_EQ(result.final["shell"].size(), 1u);
  const auto& call = result.final["shell"][0];
  EXPECT_EQ(call["verb"], "open");
  EXPECT_EQ(call["file"], GetParam().shellFile);
  EXPECT_EQ(call["parameters"], "");
  EXPECT_EQ(call["show"], 1);
  EXPECT_EQ(Main(result.final)["visible"], true) << "a link leaves the launcher as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PanelButton,
    ::testing::Values(ButtonCase{"CloseEndsTheLauncher", kClose, "", 0},
                      ButtonCase{"Home", At(562 + 52, 335 + 18), kPortal + "/quom", 3},
                      ButtonCase{"Pay", At(668 + 52, 335 + 18), kPortal + "/action/redirect_pay.php?gid=1035", 3},
                      ButtonCase{"Service", At(964 + 52, 335 + 18), kPortal + "/action/redirect_kf.php?gid=1035", 3},
                      ButtonCase{"Forum", At(1073 + 52, 335 + 18),
                                 std::string("http://") + LORVANE_FORUM_HOST + "/forum.php?gid=300", 3}),
    [](const auto& info) { return std::string(info.param.name); });

struct ButtonArt {
  int normal, hot;  // PNG resources
  int left, top, width, height;  // in the panel
  std::string Centre() const { return At(left + width / 2, top + height / 2); }
};

const ButtonArt kButtonArt[] = {
    {168, 169, 1150, 297, 26, 26}, {171, 172, 1122, 297, 26, 26}, {174, 175, 964, 335, 105, 37},
    {177, 178, 1073, 335, 105, 37}, {183, 184, 562, 335, 105, 37}, {180, 181, 668, 335, 105, 37},
};

testing_support::PngImage Art(int id) {
  return testing_support::PngImage(std::string(LORVANE_RESOURCES "/") + std::to_string(id) + ".png");
}

bool Shows(const testing_support::PngImage& screen, const ButtonArt& b, int image) {
  const int x = kPanelLeft + b.left, y = kPanelTop + b.top;
  return screen.SameArea(x, y, x + b.width, y + b.height, Art(image), 0, 0);
}

// Each button shows its normal image until the pointer is over it, then its
// hot image, and its normal image again once the pointer has moved on.
TEST_F(GameTest, PanelButtonsShowTheirArtworkAtRestAndUnderThePointer) {
  ProgramRun run;
  run.script = {"shot rest"};
  for (const ButtonArt& b : kButtonArt) {
    run.script.push_back("move " + b.Centre());
    run.script.push_back("shot over-" + std::to_string(b.normal));
  }
  auto result = Play(run);
  const testing_support::PngImage rest(result.out / "rest.png");
  for (const ButtonArt& b : kButtonArt) {
    ASSERT_FALSE(Art(b.normal).SameArea(0, 0, b.width, b.height, Art(b.hot), 0, 0)) << b.normal << " and " << b.hot;
    EXPECT_TRUE(Shows(rest, b, b.normal)) << "at rest: image " << b.normal;
    const testing_support::PngImage over(result.out / ("over-" + std::to_string(b.normal) + ".png"));
    for (const ButtonArt& other : kButtonArt) {
      const int expected = &other == &b ? other.hot : other.normal;
      EXPECT_TRUE(Shows(over, other, expected)) << "pointer over the button of " << b.normal << ": image " << expected;
    }
  }
}

TEST_F(GameTest, MinimiseTakesFrameAndPanelAwayAndTheTaskbarBringsThemBack) {
  ProgramRun run;
  run.script = {"dump start", "click " + kMinimise, "dump minimised"};
  auto first = Play(run);
  auto minimised = Dump(first, "minimised");
  EXPECT_EQ(Main(minimised)["minimized"], true);
  EXPECT_EQ(Panel(minimised)["visible"], false);
  const auto& button = minimised["taskbar"].at(0)["rect"];
  std::string taskbar = std::to_string((button[0].get<int>() + button[2].get<int>()) / 2) + " " +
                        std::to_string((button[1].get<int>() + button[3].get<int>()) / 2);
  run.script = {"click " + kMinimise, "click " + taskbar, "dump restored", "click " + taskbar, "dump again"};
  auto second = Play(run);
  auto restored = Dump(second, "restored");
  EXPECT_EQ(Main(restored)["minimized"], false);
  EXPECT_EQ(Main(restored)["visible"], true);
  EXPECT_EQ(Panel(restored)["visible"], true);
  EXPECT_EQ(Panel(restored)["rect"], Panel(Dump(first, "start"))["rect"]);
  EXPECT_EQ(Main(restored)["rect"], Main(Dump(first, "start"))["rect"]);
  // The button of the active window minimises it.
  EXPECT_EQ(Main(Dump(second, "again"))["minimized"], true);
}

TEST_F(GameTest, EnterInThePanelDoesNothingEscapeEndsTheLauncher) {
  ProgramRun run;
  run.script = {"click " + kBrowserBlank, "key ENTER", "dump after-enter", "key ESC"};
  auto result = Play(run);
  EXPECT_EQ(Main(Dump(result, "after-enter"))["visible"], true);
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(GameTest, F5RefreshesTheGameOnlyOnceAGameIsChosen) {
  ProgramRun run;
  run.script = {"key F5", "dump before", "browse 132 " + GameUrl("s12"), "key F5", "dump after"};
  auto result = Play(run);
  auto before = Dump(result, "before");
  EXPECT_EQ(Browser(before, 102)["refreshes"], 0);
  EXPECT_EQ(Browser(before, 132)["refreshes"], 0);
  EXPECT_EQ(Browser(Dump(result, "after"), 102)["refreshes"], 1);
}

TEST_F(GameTest, BrowsersShowNoContextMenuAndPagesReadTheExternalObject) {
  ProgramRun run;
  run.script = {"rclick " + kBrowserBlank, "external 132 xxyyzz", "external 132 XXYYZZ", "external 102 xxyabc"};
  auto result = Play(run);
  auto panel = Browser(result.final, 132);
  EXPECT_EQ(panel["context_menus_shown"], 0);
  EXPECT_EQ(panel["host_flags"], 12);
  ASSERT_EQ(panel["external"].size(), 2u);
  EXPECT_EQ(panel["external"][0]["result"], "Wibble");
  EXPECT_NE(panel["external"][1]["result"], "Wibble");
  EXPECT_EQ(Browser(result.final, 102)["external"][0]["result"], "Wibble");
}

// The update step as the launcher runs it at start-up.
#include <gtest/gtest.h>
#include <unistd.h>

#include "LauncherFixture.h"

using testing_support::ProgramRun;
using testing_support::WindowsWithTemplate;

namespace {

constexpr int kMainTemplate = 102;
constexpr int kPanelTemplate = 132;
constexpr int kScriptRanOut = 3;
const char kUpdaterToken[] = "QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB";

bool StartedNormally(const nlohmann::json& dump) {
  auto main = WindowsWithTemplate(dump, kMainTemplate);
  auto panel = WindowsWithTemplate(dump, kPanelTemplate);
  return main.size() == 1 && panel.size() == 1 && main[0]["visible"] == true && panel[0]["visible"] == true;
}

bool AnyWindowEverVisible(const nlohmann::json& dump) {
  for (const auto& w : dump["windows"]) {
    if (w["ever_visible"] == true) return true;
  }
  return false;
}

}  // namespace

TEST_F(LauncherTest, WithoutProviderStartsNormallyAndSilently) {
  auto result = Start(ProgramRun{});
  EXPECT_EQ(result.exitCode, kScriptRanOut);
  EXPECT_TRUE(StartedNormally(result.final));
  EXPECT_TRUE(result.final["messageboxes"].empty());
  EXPECT_TRUE(result.final["processes"].empty());
}

struct CheckCase {
  const char* name;
  const char* check;
  bool updaterPresent;
  std::vector<std::string> calls;
  bool startsNormally;
  int exitCode;
};

class UpdateOutcome : public LauncherTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(UpdateOutcome, FollowsTheProvidersAnswer) {
  const CheckCase& c = GetParam();
  InstallProvider();
  if (c.updaterPresent) InstallUpdater();
  ProgramRun run;
  run.env["FAKE_CHECK"] = c.check;
  auto result = Start(run);
  EXPECT_EQ(ProviderCalls(), c.calls);
  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_EQ(StartedNormally(result.final), c.startsNormally);
  EXPECT_TRUE(result.final["messageboxes"].empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateOutcome,
    ::testing::Values(CheckCase{"UpToDate", "current", true, {"check 0"}, true, kScriptRanOut},
                      CheckCase{"CheckFails", "fail", true, {"check 0"}, true, kScriptRanOut},
                      CheckCase{"UpdateButNoUpdater", "update", false, {"check 0"}, true, kScriptRanOut},
                      CheckCase{"UpdateStartsUpdater", "update", true, {"check 0"}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct MissingExportCase {
  const char* name;
  const char* missing;      // the export the provider lacks
  const char* commandLine;  // empty: started without arguments
};

class ProviderWithoutAnExport : public LauncherTest, public ::testing::WithParamInterface<MissingExportCase> {};

// Every export would act if it were called: check finds an update, run
// starts the updater, finish fails and asks for a message.
TEST_P(ProviderWithoutAnExport, IsNotCalledAndTheLauncherStartsNormally) {
  const MissingExportCase& c = GetParam();
  testing_support::CopyFile(std::string(FAKE_PROVIDERS_DIR "/without-") + c.missing + "/Ostrel.dll",
                            m_dir / "Ostrel.dll");
  InstallUpdater();
  ProgramRun run;
  run.commandLine = c.commandLine;
  run.env["FAKE_CHECK"] = "update";
  run.env["FAKE_FINISH"] = "fail";
  auto result = Start(run);
  EXPECT_EQ(result.exitCode, kScriptRanOut);
  EXPECT_TRUE(ProviderCalls().empty());
  EXPECT_TRUE(result.final["processes"].empty()) << "run started nothing";
  EXPECT_TRUE(result.final["messageboxes"].empty());
  EXPECT_TRUE(StartedNormally(result.final));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProviderWithoutAnExport,
    ::testing::Values(MissingExportCase{"NoCheck", "check", ""}, MissingExportCase{"NoRun", "run", ""},
                      MissingExportCase{"NoFinish", "finish", ""},
                      MissingExportCase{"NoCheckRestarted", "check", "Lorvane.exe TRUE"},
                      MissingExportCase{"NoRunRestarted", "run", "Lorvane.exe TRUE"},
                      MissingExportCase{"NoFinishRestarted", "finish", "Lorvane.exe TRUE"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LauncherTest, DueUpdateStartsTheUpdaterAndEndsBeforeAnyWindowShows) {
  InstallProvider();
  InstallUpdater();
  ProgramRun run;
  run.env["FAKE_CHECK"] = "update";
  auto result = Start(run);
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_FALSE(AnyWindowEverVisible(result.final));
  ASSERT_EQ(result.final["processes"].size(), 1u);
  const auto& p = result.final["processes"][0];
  EXPECT_EQ(p["application"], "./Varnhold.exe");
  EXPECT_EQ(p["command_line"], kUpdaterToken);
  EXPECT_EQ(p["ok"], true);
  // The updater sees the token as the first word of its command line.
  std::string log;
  for (int i = 0; i < 200 && log.empty(); ++i) {
    log = testing_support::ReadText(m_dir / "updater.log");
    if (log.empty()) usleep(10000);
  }
  EXPECT_NE(log.find(std::string("argv[0]=") + kUpdaterToken + "\n"), std::string::npos) << log;
  EXPECT_NE(log.find("argc=1\n"), std::string::npos) << log;
  EXPECT_NE(log.find(std::string("cmdline=") + kUpdaterToken + "\n"), std::string::npos) << log;
}

TEST_F(LauncherTest, MissingUpdaterIsRecordedAsAFailedStart) {
  InstallProvider();
  ProgramRun run;
  run.env["FAKE_CHECK"] = "update";
  auto result = Start(run);
  ASSERT_EQ(result.final["processes"].size(), 1u);
  EXPECT_EQ(result.final["processes"][0]["ok"], false);
}

TEST_F(LauncherTest, FailedFinishShowsTheMessageThenChecksAsUsual) {
  InstallProvider();
  ProgramRun run;
  run.commandLine = "Lorvane.exe TRUE";
  run.env["FAKE_FINISH"] = "fail";
  run.env["FAKE_CHECK"] = "current";
  run.script = {"dump box", "key ENTER"};
  auto result = Start(run);
  EXPECT_EQ(ProviderCalls(), (std::vector<std::string>{"finish 0", "check 0"}));
  ASSERT_EQ(result.final["messageboxes"].size(), 1u);
  const auto& box = result.final["messageboxes"][0];
  EXPECT_EQ(box["text"], "更新失败\n");
  EXPECT_EQ(box["caption"], "Lorvane");
  EXPECT_EQ(box["type"], 0);
  // While the box was up no launcher window had been shown.
  auto during = nlohmann::json::parse(testing_support::ReadText(result.out / "box.json"));
  for (int id : {kMainTemplate, kPanelTemplate}) {
    for (const auto& w : WindowsWithTemplate(during, id)) EXPECT_EQ(w["ever_visible"], false);
  }
  EXPECT_TRUE(StartedNormally(result.final));
}

struct CommandLineCase {
  const char* name;
  const char* commandLine;
  bool finishCalled;
};

class RestartCommandLine : public LauncherTest, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(RestartCommandLine, OnlyExactlyTrueFinishesAnUpdate) {
  InstallProvider();
  ProgramRun run;
  run.commandLine = GetParam().commandLine;
  run.env["FAKE_CHECK"] = "current";
  auto result = Start(run);
  std::vector<std::string> expected = {"check 0"};
  if (GetParam().finishCalled) expected.insert(expected.begin(), "finish 0");
  EXPECT_EQ(ProviderCalls(), expected);
  EXPECT_TRUE(result.final["messageboxes"].empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestartCommandLine,
    ::testing::Values(CommandLineCase{"Plain", "Lorvane.exe TRUE", true},
                      CommandLineCase{"QuotedName", "\"C:\\Program Files\\Fenlow\\Lorvane.exe\" TRUE", true},
                      CommandLineCase{"ManyBlanks", "Lorvane.exe    \t TRUE", true},
                      CommandLineCase{"QuotedNameNoBlank", "\"Lorvane.exe\"TRUE", true},
                      CommandLineCase{"TrailingBlank", "Lorvane.exe TRUE ", false},
                      CommandLineCase{"LowerCase", "Lorvane.exe true", false},
                      CommandLineCase{"Slash", "Lorvane.exe /TRUE", false},
                      CommandLineCase{"FurtherArgument", "Lorvane.exe TRUE x", false},
                      CommandLineCase{"NoArgument", "Lorvane.exe", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LauncherTest, TrueAsTheProgramsOwnArgumentFinishes) {
  InstallProvider();
  ProgramRun run;
  run.args = {"TRUE"};
  run.env["FAKE_CHECK"] = "current";
  Start(run);
  EXPECT_EQ(ProviderCalls(), (std::vector<std::string>{"finish 0", "check 0"}));
}

// The provider's whole update cycle with a stand-in updater: driven through
// the exports in the order the launcher's update step uses them, and run by
// the launcher itself.
#include <sys/stat.h>
#include <tinyxml.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FinishFixture.h"
#include "ProgramRun.h"

namespace provider_test {
namespace {

const char kPublished[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<publish><release version=\"2.0\"/>\n"
    "<files><file path=\"\" name=\"a.dll\" content=\"new a\"/>"
    "<file path=\"lib/\" name=\"b.dll\" content=\"new b\" register=\"true\"/></files></publish>";

// The updater's exit code once it is through, or nothing after a while.
std::optional<std::string> WaitForUpdater() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    // The file exists before its line is written.
    std::optional<std::string> done = ReadFile("varnhold.done");
    if (done && !done->empty() && done->back() == '\n') return done;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

class UpdateCycle : public FinishTest {
 protected:
  // An installation of version 1.0 whose manifest address leads to a server
  // that publishes version 2.0 of a.dll and lib/b.dll (to be registered).
  UpdateCycle() : m_server(Reply(HttpResponse(200, kPublished))) {
    ServeOnDefaultPort(m_server);
    WriteFile("Update.xml", LocalManifest("1.0"));
    WriteFile("a.dll", "old a");
    WriteFile("lib/b.dll", "old b");
    std::filesystem::copy_file(TEST_UPDATER_PATH, "Varnhold.exe");
  }

  void ExpectUpdated() {
    EXPECT_EQ(ReadFile("a.dll"), "new a");
    EXPECT_EQ(ReadFile("lib/b.dll"), "new b");
    EXPECT_FALSE(Exists("Server.xml"));
    TiXmlDocument local("Update.xml");
    ASSERT_TRUE(local.LoadFile());
    EXPECT_STREQ(local.RootElement()->Attribute("version"), "2.0");
    std::vector<Registration> registrations = WaitForRegistrations(1);
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].directory, m_installation.Path() + "/lib");
    EXPECT_EQ(registrations[0].arguments, "/s b.dll");
  }

  LoopbackServer m_server;
};

TEST_F(UpdateCycle, CheckRunFinishThenUpToDate) {
  ASSERT_EQ(CallExport(check), kUpdateDue);
  ASSERT_TRUE(Exists("Server.xml"));
  ASSERT_EQ(CallExport(run), (Outcome{true, 0}));
  ASSERT_EQ(WaitForUpdater(), "0 -1\n") << "the updater saw the token as its whole command line";

  EXPECT_EQ(CallExport(finish), (Outcome{true, 0}));
  ExpectUpdated();
  EXPECT_EQ(CallExport(check), kUpToDate);
  EXPECT_FALSE(Exists("Server.xml"));
}

bool ShowsMainWindowAndPanel(const nlohmann::json& dump) {
  return testing_support::WindowsWithTemplate(dump, 102).size() == 1 &&
         testing_support::WindowsWithTemplate(dump, 132).size() == 1;
}

// The launcher finds the update and starts the updater; the updater restarts
// it with "TRUE"; that run finishes the update, finds nothing new and starts
// as usual (its script of user actions is empty, so it then ends with 3).
TEST_F(UpdateCycle, LauncherRunsTheWholeCycle) {
  testing_support::InstallProgram(m_installation.Path());
  testing_support::CopyFile(testing_support::BuildBin() / "Ostrel.dll", "Ostrel.dll");
  testing_support::ProgramRun first;
  first.dir = m_installation.Path();
  first.env["VARNHOLD_LAUNCHER"] = m_installation.Path() + "/Lorvane";

  testing_support::ProgramResult result = testing_support::Run(first);
  ASSERT_EQ(result.exitCode, 0) << "a found update ends the launcher at once";
  ASSERT_EQ(WaitForUpdater(), "0 3\n");

  ExpectUpdated();
  nlohmann::json restarted = nlohmann::json::parse(ReadFile("out/final.json").value_or("null"));
  EXPECT_TRUE(ShowsMainWindowAndPanel(restarted)) << "the restarted launcher found itself up to date";
  EXPECT_TRUE(restarted["messageboxes"].empty()) << "finishing the update did not fail";
  EXPECT_FALSE(Exists("Server.xml")) << "its check wrote nothing";
}

}  // namespace
}  // namespace provider_test

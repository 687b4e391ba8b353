// The provider's whole update cycle, driven through its exports in the order
// the launcher's update step uses them, with a stand-in updater.
#include <sys/stat.h>
#include <tinyxml.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FinishFixture.h"

namespace provider_test {
namespace {

const char kPublished[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<publish><release version=\"2.0\"/>\n"
    "<files><file path=\"\" name=\"a.dll\" content=\"new a\"/>"
    "<file path=\"lib/\" name=\"b.dll\" content=\"new b\" register=\"true\"/></files></publish>";

// The updater's exit code once it is through, or nothing after a while.
std::optional<std::string> WaitForUpdater() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::optional<std::string> done = ReadFile("varnhold.done")) return done;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

using UpdateCycle = FinishTest;

TEST_F(UpdateCycle, CheckRunFinishThenUpToDate) {
  LoopbackServer server(Reply(HttpResponse(200, kPublished)));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", LocalManifest("1.0"));
  WriteFile("a.dll", "old a");
  WriteFile("lib/b.dll", "old b");
  std::filesystem::copy_file(TEST_UPDATER_PATH, "Varnhold.exe");

  ASSERT_EQ(CallExport(check), kUpdateDue);
  ASSERT_TRUE(Exists("Server.xml"));
  ASSERT_EQ(CallExport(run), (Outcome{true, 0}));
  ASSERT_EQ(WaitForUpdater(), "0\n") << "the updater saw the token as its whole command line";

  EXPECT_EQ(CallExport(finish), (Outcome{true, 0}));
  EXPECT_EQ(ReadFile("a.dll"), "new a");
  EXPECT_EQ(ReadFile("lib/b.dll"), "new b");
  EXPECT_FALSE(Exists("Server.xml"));
  std::vector<Registration> registrations = WaitForRegistrations(1);
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].directory, m_installation.Path() + "/lib");
  EXPECT_EQ(registrations[0].arguments, "/s b.dll");

  EXPECT_EQ(CallExport(check), kUpToDate);
  EXPECT_FALSE(Exists("Server.xml"));
}

}  // namespace
}  // namespace provider_test

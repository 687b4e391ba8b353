// finish in the Windows build under Wine: the shared behaviour cases over
// the platform's own file calls, targets that the platform will not give
// up, and registrations by the platform's own regsvr32.
#include <sys/stat.h>

#include <string>
#include <thread>

#include "FinishCases.h"
#include "WineFixture.h"

namespace wine_test {
namespace {

using namespace provider_test;

const char kComponent[] = "TestComponent.dll";
// What the component's DllRegisterServer leaves in its current folder.
const char kMarker[] = "registered.log";

class FinishUnderWine : public WineTest, public testing::WithParamInterface<FinishCase> {};

TEST_P(FinishUnderWine, ResultManifestsAndFiles) {
  const FinishCase& c = GetParam();
  PlaceFinishCase(c);

  EXPECT_EQ(CallUnderWine("finish"), (Outcome{c.expected, 0}));

  ExpectFinishCaseAfter(c);
}

INSTANTIATE_TEST_SUITE_P(Wine, FinishUnderWine, testing::ValuesIn(FinishCases()),
                         [](const testing::TestParamInfo<FinishCase>& info) { return std::string(info.param.name); });

class FinishTargets : public WineTest {
 protected:
  void SetUp() override {
    WineTest::SetUp();
    PlaceTwoEntries();
  }
};

TEST_F(FinishTargets, ReadOnlyTargetFailsItsEntry) {
  chmod("a.dll", 0444);

  EXPECT_EQ(CallUnderWine("finish"), (Outcome{false, 0}));

  ExpectFirstOfTwoEntriesFailed();
}

// In use: another process has it open, shared for reading only, as a
// running program holds its own files.
TEST_F(FinishTargets, TargetInUseFailsItsEntry) {
  HostAnswer answer = RunHost({"finish", CodePage::Gbk, {"a.dll"}});

  ASSERT_TRUE(answer.outcome) << answer.output;
  EXPECT_EQ(*answer.outcome, (Outcome{false, 0}));
  ExpectFirstOfTwoEntriesFailed();
}

class FinishRegistration : public WineTest {};

TEST_F(FinishRegistration, RunsInThePathWithTheName) {
  WriteFile("Update.xml", Local(FileEntry("sub/", "x.dll", "true") + FileEntry("", "y.dll")));
  WriteFile("Server.xml", kPublished);
  PlaceProgram(kComponent, "sub/x.dll.tmp");
  Place({{"sub/x.dll", "old x"}, {"y.dll.tmp", "new y"}});

  ASSERT_EQ(CallUnderWine("finish"), (Outcome{true, 0}));

  // The component names the file that was loaded, and regsvr32's command line.
  std::optional<std::string> marker = WaitForLines(std::string("sub/") + kMarker, 2);
  ASSERT_TRUE(marker) << "nothing registered";
  std::string loaded = marker->substr(0, marker->find('\n'));
  std::string commandLine = marker->substr(loaded.size() + 1);
  EXPECT_EQ(loaded, ZPath(m_installation.Path() + "/sub/x.dll"));
  EXPECT_NE(commandLine.find("regsvr32"), std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.substr(commandLine.size() - 10), " /s x.dll\n") << commandLine;
  EXPECT_FALSE(Exists(kMarker));
}

class FinishWithoutRegistration : public WineTest, public testing::WithParamInterface<NoRegistrationCase> {};

// Every file is a real component here, so that a registration would leave
// its marker. A marked entry after the case's own is registered: once its
// marker is there, a registration of the case's entry, started before it,
// would have had its turn.
TEST_P(FinishWithoutRegistration, StartsNothing) {
  const NoRegistrationCase& c = GetParam();
  WriteFile("Update.xml", Local(c.entry + FileEntry("later/", "y.dll", "true")));
  WriteFile("Server.xml", kPublished);
  for (const auto& [path, content] : c.before) PlaceProgram(kComponent, path);
  PlaceProgram(kComponent, "later/y.dll.tmp");
  if (Exists("x.dll")) chmod("x.dll", 0444);

  CallUnderWine("finish");

  ASSERT_TRUE(WaitForLines(std::string("later/") + kMarker, 2)) << "the later entry was not registered";
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_FALSE(Exists(kMarker));
}

INSTANTIATE_TEST_SUITE_P(Wine, FinishWithoutRegistration, testing::ValuesIn(NoRegistrationCases()),
                         [](const testing::TestParamInfo<NoRegistrationCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace wine_test

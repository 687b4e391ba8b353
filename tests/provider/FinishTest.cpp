// finish over an installation: every row of its failure table, what ends up
// on disk, and the registrations it starts.
#include <sys/stat.h>
#include <tinyxml.h>

#include <string>
#include <utility>
#include <vector>

#include "FinishCases.h"
#include "FinishFixture.h"
#include "desktop/Desktop.h"

namespace provider_test {
namespace {

class FinishAnswers : public FinishTest, public testing::WithParamInterface<FinishCase> {};

TEST_P(FinishAnswers, ResultManifestsAndFiles) {
  const FinishCase& c = GetParam();
  PlaceFinishCase(c);

  EXPECT_EQ(CallExport(finish), (Outcome{c.expected, 0}));

  ExpectFinishCaseAfter(c);
}

INSTANTIATE_TEST_SUITE_P(Provider, FinishAnswers, testing::ValuesIn(FinishCases()),
                         [](const testing::TestParamInfo<FinishCase>& info) { return std::string(info.param.name); });

TEST_F(FinishTest, TargetThatCannotBeDeletedFailsItsEntry) {
  PlaceTwoEntries();
  chmod("a.dll", 0444);  // read-only: the platform refuses to delete it

  EXPECT_EQ(CallExport(finish), (Outcome{false, 0}));

  ExpectFirstOfTwoEntriesFailed();
}

TEST_F(FinishTest, RegistrationRunsInThePathWithTheName) {
  WriteFile("Update.xml", Local(FileEntry("sub/", "x.dll", "true") + FileEntry("", "y.dll")));
  WriteFile("Server.xml", kPublished);
  Place({{"sub/x.dll", "old x"}, {"sub/x.dll.tmp", "new x"}, {"y.dll.tmp", "new y"}});

  ASSERT_EQ(CallExport(finish), (Outcome{true, 0}));

  std::vector<Registration> registrations = WaitForRegistrations(1);
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].directory, m_installation.Path() + "/sub");
  EXPECT_EQ(registrations[0].arguments, "/s x.dll");
  EXPECT_EQ(registrations[0].commandLine, QuotedToolPath() + " /s x.dll");
  const auto& calls = winsim::Desktop().shellCalls;
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].verb, "open");
  EXPECT_EQ(calls[0].file, "regsvr32.exe");
  EXPECT_EQ(calls[0].parameters, "/s x.dll");
  EXPECT_EQ(calls[0].directory, "sub/");
  EXPECT_EQ(calls[0].show, 1);
}

class FinishWithoutRegistration : public FinishTest, public testing::WithParamInterface<NoRegistrationCase> {};

TEST_P(FinishWithoutRegistration, StartsNothing) {
  const NoRegistrationCase& c = GetParam();
  WriteFile("Update.xml", Local(c.entry));
  WriteFile("Server.xml", kPublished);
  Place(c.before);
  if (Exists("x.dll")) chmod("x.dll", 0444);

  CallExport(finish);

  EXPECT_TRUE(winsim::Desktop().shellCalls.empty());
}

INSTANTIATE_TEST_SUITE_P(Provider, FinishWithoutRegistration, testing::ValuesIn(NoRegistrationCases()),
                         [](const testing::TestParamInfo<NoRegistrationCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace provider_test

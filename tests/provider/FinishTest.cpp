// finish over an installation: every row of its failure table, what ends up
// on disk, and the registrations it starts.
#include <sys/stat.h>
#include <tinyxml.h>

#include <string>
#include <utility>
#include <vector>

#include "FinishFixture.h"
#include "desktop/Desktop.h"

namespace provider_test {
namespace {

using Files = std::vector<std::pair<std::string, std::optional<std::string>>>;

// What the local manifest looks like afterwards.
enum class Local { Untouched, EmptiedVersionKept, EmptiedVersionRecorded };

struct FinishCase {
  const char* name;
  std::optional<std::string> local;   // "./Update.xml" before
  std::optional<std::string> server;  // "./Server.xml" before
  Files before;                       // files placed before the call
  bool expected;
  Local localAfter;
  bool serverKept;
  Files after;  // files expected afterwards (none: must be missing)
};

const std::string kPublished = RemoteManifest("2.0");
const Files kInstalledAndDownloaded = {
    {"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"sub/b.dat", "old b"}, {"sub/b.dat.tmp", "new b"}};
const Files kAllReplaced = {{"a.dll", "new a"},
                            {"a.dll.tmp", std::nullopt},
                            {"a.dll.old", std::nullopt},
                            {"sub/b.dat", "new b"},
                            {"sub/b.dat.tmp", std::nullopt}};
const std::string kTwoEntries = FileEntry("", "a.dll") + FileEntry("sub/", "b.dat");

std::string Local(std::string_view entries) { return LocalManifest("1.0", "http://127.0.0.1", "/m.xml", entries); }

const FinishCase kFinishCases[] = {
    {"LocalManifestMissing", std::nullopt, kPublished, kInstalledAndDownloaded, false, Local::Untouched, true,
     kInstalledAndDownloaded},
    {"LocalManifestMalformed", "<update version=\"1.0\"><files>", kPublished, kInstalledAndDownloaded, false,
     Local::Untouched, true, kInstalledAndDownloaded},
    {"NoRootElement", "<?xml version=\"1.0\"?><!-- nothing -->", kPublished, {}, false, Local::Untouched, true, {}},
    {"NoListElement", "<update version=\"1.0\">only text</update>", kPublished, {}, false, Local::Untouched, true, {}},
    {"ListWithoutEntries", Local(""), kPublished, {}, true, Local::Untouched, true, {}},
    {"ListOfCommentsOnly", Local("<!-- a --><!-- b -->"), kPublished, {}, true, Local::Untouched, true, {}},
    {"EarlierElementTakenAsTheList", "<update version=\"1.0\"><notes/><files>" + kTwoEntries + "</files></update>",
     kPublished, kInstalledAndDownloaded, true, Local::Untouched, true, kInstalledAndDownloaded},
    {"EveryEntryMoved", Local(kTwoEntries), kPublished, kInstalledAndDownloaded, true, Local::EmptiedVersionRecorded,
     false, kAllReplaced},
    {"CommentsAndTextBetweenEntries",
     Local("<!-- first -->" + FileEntry("", "a.dll") + "text" + FileEntry("sub/", "b.dat")), kPublished,
     kInstalledAndDownloaded, true, Local::EmptiedVersionRecorded, false, kAllReplaced},
    {"NewFileCreated",
     Local(FileEntry("", "new.txt")),
     kPublished,
     {{"new.txt.tmp", "new"}},
     true,
     Local::EmptiedVersionRecorded,
     false,
     {{"new.txt", "new"}, {"new.txt.tmp", std::nullopt}}},
    {"PathWithoutSeparator",
     Local(FileEntry("lib", "x.dll")),
     kPublished,
     {{"libx.dll.tmp", "new"}},
     true,
     Local::EmptiedVersionRecorded,
     false,
     {{"libx.dll", "new"}, {"lib/x.dll", std::nullopt}}},
    {"BackslashSeparator",
     Local(FileEntry("sub\\", "b.dat")),
     kPublished,
     {{"sub/b.dat", "old b"}, {"sub/b.dat.tmp", "new b"}},
     true,
     Local::EmptiedVersionRecorded,
     false,
     {{"sub/b.dat", "new b"}, {"sub/b.dat.tmp", std::nullopt}}},
    {"EntryLacksPath",
     Local("<file name=\"a.dll\"/>" + FileEntry("sub/", "b.dat")),
     kPublished,
     kInstalledAndDownloaded,
     false,
     Local::EmptiedVersionKept,
     false,
     {{"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"sub/b.dat", "new b"}}},
    {"EntryLacksName",
     Local(FileEntry("sub/", "b.dat") + "<file path=\"\"/>"),
     kPublished,
     kInstalledAndDownloaded,
     false,
     Local::EmptiedVersionKept,
     false,
     {{"a.dll", "old a"}, {"sub/b.dat", "new b"}}},
    {"DownloadMissing",
     Local(kTwoEntries),
     kPublished,
     {{"a.dll", "old a"}, {"sub/b.dat", "old b"}, {"sub/b.dat.tmp", "new b"}},
     false,
     Local::EmptiedVersionKept,
     false,
     {{"a.dll", "old a"}, {"sub/b.dat", "new b"}}},
    {"StaleSavedCopyReplaced",
     Local(FileEntry("", "a.dll")),
     kPublished,
     {{"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"a.dll.old", "older a"}},
     true,
     Local::EmptiedVersionRecorded,
     false,
     {{"a.dll", "new a"}, {"a.dll.old", std::nullopt}}},
    {"ServerManifestMissing", Local(kTwoEntries), std::nullopt, kInstalledAndDownloaded, false, Local::Untouched, false,
     kAllReplaced},
    {"ServerManifestMalformed", Local(kTwoEntries), "<publish><release version=\"2.0\">", kInstalledAndDownloaded,
     false, Local::Untouched, true, kAllReplaced},
    {"ServerManifestWithoutRoot", Local(kTwoEntries), "<!-- nothing -->", kInstalledAndDownloaded, false,
     Local::Untouched, true, kAllReplaced},
    {"ServerManifestWithoutVersionElement", Local(kTwoEntries), "<publish/>", kInstalledAndDownloaded, false,
     Local::Untouched, true, kAllReplaced},
    {"ServerManifestWithoutVersion", Local(kTwoEntries), "<publish><release/></publish>", kInstalledAndDownloaded,
     false, Local::Untouched, true, kAllReplaced},
};

void Place(const Files& files) {
  for (const auto& [path, content] : files) {
    if (content) WriteFile(path, *content);
  }
}

void ExpectFiles(const Files& files) {
  for (const auto& [path, content] : files) EXPECT_EQ(ReadFile(path), content) << path;
}

void ExpectLocalEmptied(const char* version) {
  TiXmlDocument local("Update.xml");
  ASSERT_TRUE(local.LoadFile());
  const TiXmlElement* root = local.RootElement();
  EXPECT_STREQ(root->Attribute("version"), version);
  EXPECT_STREQ(root->Attribute("url"), "http://127.0.0.1") << "the rest of the manifest stays";
  EXPECT_EQ(root->FirstChildElement()->FirstChild(), nullptr) << "the list is emptied";
}

class FinishAnswers : public FinishTest, public testing::WithParamInterface<FinishCase> {};

TEST_P(FinishAnswers, ResultManifestsAndFiles) {
  const FinishCase& c = GetParam();
  if (c.local) WriteFile("Update.xml", *c.local);
  if (c.server) WriteFile("Server.xml", *c.server);
  Place(c.before);

  EXPECT_EQ(CallExport(finish), (Outcome{c.expected, 0}));

  switch (c.localAfter) {
    case Local::Untouched:
      EXPECT_EQ(ReadFile("Update.xml"), c.local);
      break;
    case Local::EmptiedVersionKept:
      ExpectLocalEmptied("1.0");
      break;
    case Local::EmptiedVersionRecorded:
      ExpectLocalEmptied("2.0");
      break;
  }
  EXPECT_EQ(ReadFile("Server.xml"), c.serverKept ? c.server : std::nullopt);
  ExpectFiles(c.after);
}

INSTANTIATE_TEST_SUITE_P(Provider, FinishAnswers, testing::ValuesIn(kFinishCases),
                         [](const testing::TestParamInfo<FinishCase>& info) { return std::string(info.param.name); });

TEST_F(FinishTest, TargetThatCannotBeDeletedFailsItsEntry) {
  WriteFile("Update.xml", Local(kTwoEntries));
  WriteFile("Server.xml", kPublished);
  Place(kInstalledAndDownloaded);
  chmod("a.dll", 0444);  // read-only: the platform refuses to delete it

  EXPECT_EQ(CallExport(finish), (Outcome{false, 0}));

  ExpectLocalEmptied("1.0");
  ExpectFiles({{"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"a.dll.old", std::nullopt}, {"sub/b.dat", "new b"}});
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

struct NoRegistrationCase {
  const char* name;
  std::string entry;
  Files before;
};

const NoRegistrationCase kNoRegistrationCases[] = {
    {"MarkInOtherCase", FileEntry("", "x.dll", "True"), {{"x.dll.tmp", "new"}}},
    {"OtherMark", FileEntry("", "x.dll", "yes"), {{"x.dll.tmp", "new"}}},
    {"NoMark", FileEntry("", "x.dll"), {{"x.dll.tmp", "new"}}},
    {"MarkedButDownloadMissing", FileEntry("", "x.dll", "true"), {{"x.dll", "old"}}},
    {"MarkedButTargetInUse", FileEntry("", "x.dll", "true"), {{"x.dll", "old"}, {"x.dll.tmp", "new"}}},
};

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

INSTANTIATE_TEST_SUITE_P(Provider, FinishWithoutRegistration, testing::ValuesIn(kNoRegistrationCases),
                         [](const testing::TestParamInfo<NoRegistrationCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace provider_test

#include "FinishCases.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "Installation.h"

namespace provider_test {

const std::string kPublished = RemoteManifest("2.0");
const Files kInstalledAndDownloaded = {
    {"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"sub/b.dat", "old b"}, {"sub/b.dat.tmp", "new b"}};
namespace {

const Files kAllReplaced = {{"a.dll", "new a"},
                            {"a.dll.tmp", std::nullopt},
                            {"a.dll.old", std::nullopt},
                            {"sub/b.dat", "new b"},
                            {"sub/b.dat.tmp", std::nullopt}};
}  // namespace

const std::string kTwoEntries = FileEntry("", "a.dll") + FileEntry("sub/", "b.dat");

std::string Local(std::string_view entries) { return LocalManifest("1.0", "http://127.0.0.1", "/m.xml", entries); }

const std::vector<FinishCase>& FinishCases() {
  static const std::vector<FinishCase> cases = {
      {"LocalManifestMissing", std::nullopt, kPublished, kInstalledAndDownloaded, false, Local::Untouched, true,
       kInstalledAndDownloaded},
      {"LocalManifestMalformed", "<update version=\"1.0\"><files>", kPublished, kInstalledAndDownloaded, false,
       Local::Untouched, true, kInstalledAndDownloaded},
      {"NoRootElement", "<?xml version=\"1.0\"?><!-- nothing -->", kPublished, {}, false, Local::Untouched, true, {}},
      {"NoListElement",
       "<update version=\"1.0\">only text</update>",
       kPublished,
       {},
       false,
       Local::Untouched,
       true,
       {}},
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
      {"EntryFolderMissing",
       Local(FileEntry("missing/", "c.dll") + kTwoEntries),
       kPublished,
       kInstalledAndDownloaded,
       false,
       Local::EmptiedVersionKept,
       false,
       {{"a.dll", "new a"}, {"sub/b.dat", "new b"}, {"missing/c.dll", std::nullopt}}},
      {"StaleSavedCopyReplaced",
       Local(FileEntry("", "a.dll")),
       kPublished,
       {{"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"a.dll.old", "older a"}},
       true,
       Local::EmptiedVersionRecorded,
       false,
       {{"a.dll", "new a"}, {"a.dll.old", std::nullopt}}},
      {"ServerManifestMissing", Local(kTwoEntries), std::nullopt, kInstalledAndDownloaded, false, Local::Untouched,
       false, kAllReplaced},
      {"ServerManifestMalformed", Local(kTwoEntries), "<publish><release version=\"2.0\">", kInstalledAndDownloaded,
       false, Local::Untouched, true, kAllReplaced},
      {"ServerManifestWithoutRoot", Local(kTwoEntries), "<!-- nothing -->", kInstalledAndDownloaded, false,
       Local::Untouched, true, kAllReplaced},
      {"ServerManifestWithoutVersionElement", Local(kTwoEntries), "<publish/>", kInstalledAndDownloaded, false,
       Local::Untouched, true, kAllReplaced},
      {"ServerManifestWithoutVersion", Local(kTwoEntries), "<publish><release/></publish>", kInstalledAndDownloaded,
       false, Local::Untouched, true, kAllReplaced},

  };
  return cases;
}

const std::vector<NoRegistrationCase>& NoRegistrationCases() {
  static const std::vector<NoRegistrationCase> cases = {
      {"MarkInOtherCase", FileEntry("", "x.dll", "True"), {{"x.dll.tmp", "new"}}},
      {"OtherMark", FileEntry("", "x.dll", "yes"), {{"x.dll.tmp", "new"}}},
      {"NoMark", FileEntry("", "x.dll"), {{"x.dll.tmp", "new"}}},
      {"MarkedButDownloadMissing", FileEntry("", "x.dll", "true"), {{"x.dll", "old"}}},
      {"MarkedButTargetInUse", FileEntry("", "x.dll", "true"), {{"x.dll", "old"}, {"x.dll.tmp", "new"}}},

  };
  return cases;
}

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

void PlaceTwoEntries() {
  WriteFile("Update.xml", Local(kTwoEntries));
  WriteFile("Server.xml", kPublished);
  Place(kInstalledAndDownloaded);
}

void ExpectFirstOfTwoEntriesFailed() {
  ExpectLocalEmptied("1.0");
  ExpectFiles({{"a.dll", "old a"}, {"a.dll.tmp", "new a"}, {"a.dll.old", std::nullopt}, {"sub/b.dat", "new b"}});
}

void PlaceFinishCase(const FinishCase& c) {
  if (c.local) WriteFile("Update.xml", *c.local);
  if (c.server) WriteFile("Server.xml", *c.server);
  Place(c.before);
}

void ExpectFinishCaseAfter(const FinishCase& c) {
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

}  // namespace provider_test

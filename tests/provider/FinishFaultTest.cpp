// finish when any one of its file calls fails: no installed target is ever
// lost, no download is lost with it, and the new version is recorded only
// when every target holds its new content.
#include <sys/stat.h>
#include <tinyxml.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FinishFixture.h"
#include "win32/FileFaults.h"

namespace provider_test {
namespace {

struct Target {
  std::string path;
  std::string name;
  const char* mark;
};

const Target kTargets[] = {{"", "a.dll", "true"}, {"sub/", "b.dat", ""}, {"sub\\deep/", "c.txt", ""}};

std::string TargetFile(const Target& t) {
  std::string file = t.path + t.name;
  for (char& ch : file) ch = ch == '\\' ? '/' : ch;
  return file;
}
std::string OldContent(const Target& t) { return "old " + t.name; }
std::string NewContent(const Target& t) { return "new " + t.name; }

class FinishUnderFaults : public FinishTest {
 protected:
  ~FinishUnderFaults() override { winsim::FailFileCall(0); }

  void PlaceInstallation() {
    std::string entries;
    for (const Target& t : kTargets) {
      entries += FileEntry(t.path, t.name, t.mark);
      WriteFile(TargetFile(t), OldContent(t));
      WriteFile(TargetFile(t) + ".tmp", NewContent(t));
    }
    WriteFile("Update.xml", LocalManifest("1.0", "http://127.0.0.1", "/m.xml", entries));
    WriteFile("Server.xml", RemoteManifest("2.0"));
  }

  // Runs finish on a fresh installation with the k-th file call failing
  // (none for 0); returns the number of file calls it made.
  unsigned long FinishFailingCall(unsigned long k) {
    PlaceInstallation();
    winsim::FailFileCall(k);
    CallExport(finish);
    unsigned long calls = winsim::FileCallCount();
    winsim::FailFileCall(0);
    return calls;
  }

  std::string RecordedVersion() {
    TiXmlDocument local("Update.xml");
    return local.LoadFile() ? local.RootElement()->Attribute("version") : "unreadable";
  }
};

TEST_F(FinishUnderFaults, EveryTargetKeepsOldOrNewContent) {
  unsigned long calls = FinishFailingCall(0);
  ASSERT_GE(calls, 3 * 3u) << "at least a test, a move and a delete per entry";
  ASSERT_EQ(RecordedVersion(), "2.0");

  for (unsigned long k = 1; k <= calls; ++k) {
    SCOPED_TRACE("failing file call " + std::to_string(k));
    FinishFailingCall(k);
    bool allNew = true;
    for (const Target& t : kTargets) {
      std::optional<std::string> content = ReadFile(TargetFile(t));
      ASSERT_TRUE(content == OldContent(t) || content == NewContent(t))
          << TargetFile(t) << " holds " << content.value_or("nothing");
      if (content == OldContent(t)) {
        allNew = false;
        EXPECT_EQ(ReadFile(TargetFile(t) + ".tmp"), NewContent(t)) << "the download stays beside its target";
      }
      EXPECT_FALSE(Exists(TargetFile(t) + ".old"));
    }
    EXPECT_EQ(RecordedVersion() == "2.0", allNew);
    std::error_code ignored;
    for (const char* leftover : {"a.dll", "a.dll.tmp", "sub", "Update.xml", "Server.xml"}) {
      std::filesystem::remove_all(leftover, ignored);
    }
  }
}

}  // namespace
}  // namespace provider_test

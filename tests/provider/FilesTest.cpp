// The C run-time's file calls as the system relies on them: rename refuses
// an existing target, both separators work, a read-only file cannot be
// deleted, and any one call can be made to fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Installation.h"
#include "framework.h"
#include "win32/FileFaults.h"

namespace provider_test {
namespace {

class CrtFiles : public testing::Test {
 protected:
  Installation m_installation;
};

TEST_F(CrtFiles, RenameRefusesAnExistingTarget) {
  WriteFile("from", "new");
  WriteFile("to", "old");
  errno = 0;
  EXPECT_EQ(rename("from", "to"), -1);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(ReadFile("to"), "old");
  EXPECT_EQ(ReadFile("from"), "new");
}

TEST_F(CrtFiles, RenameOfAMissingSourceSaysSo) {
  errno = 0;
  EXPECT_EQ(rename("missing", "to"), -1);
  EXPECT_EQ(errno, ENOENT);
}

TEST_F(CrtFiles, BothSeparatorsWork) {
  WriteFile("dir/sub/file", "x");
  EXPECT_EQ(_access("dir\\sub\\file", 0), 0);
  EXPECT_EQ(rename("dir\\sub/file", "dir/moved"), 0);
  EXPECT_EQ(ReadFile("dir/moved"), "x");
  EXPECT_TRUE(DeleteFileA("dir\\moved"));
  EXPECT_EQ(_access("dir/moved", 0), -1);
  EXPECT_EQ(_access("dir", 0), 0) << "a folder exists too";
}

struct DeleteCase {
  const char* name;
  const char* path;
  DWORD error;
};

const DeleteCase kDeleteCases[] = {
    {"Missing", "missing.dll", ERROR_FILE_NOT_FOUND},
    {"FolderMissing", "nowhere/file.dll", ERROR_PATH_NOT_FOUND},
    {"ReadOnly", "readonly.dll", ERROR_ACCESS_DENIED},
    {"Folder", "folder", ERROR_ACCESS_DENIED},
};

class DeleteFileFailure : public CrtFiles, public testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteFileFailure, ReportsThePlatformError) {
  WriteFile("readonly.dll", "in use");
  chmod("readonly.dll", 0444);
  WriteFile("folder/inside", "");
  EXPECT_FALSE(DeleteFileA(GetParam().path));
  EXPECT_EQ(GetLastError(), GetParam().error);
  EXPECT_EQ(ReadFile("readonly.dll"), "in use");
}

INSTANTIATE_TEST_SUITE_P(StandIn, DeleteFileFailure, testing::ValuesIn(kDeleteCases),
                         [](const testing::TestParamInfo<DeleteCase>& info) { return std::string(info.param.name); });

TEST_F(CrtFiles, TheChosenCallFails) {
  WriteFile("a", "a");
  winsim::FailFileCall(2);
  EXPECT_EQ(_access("a", 0), 0);
  EXPECT_EQ(_access("a", 0), -1) << "the second call";
  EXPECT_EQ(_access("a", 0), 0);
  EXPECT_EQ(winsim::FileCallCount(), 3u);
  winsim::FailFileCall(0);
}

// A fresh process reads WINSIM_FAIL_FILE_OP when it starts: the probe
// exits with 0 exactly when its first file call fails and its second does not.
int RunFaultProbe(const char* failingCall) {
  pid_t child = fork();
  if (child == 0) {
    if (failingCall) setenv("WINSIM_FAIL_FILE_OP", failingCall, 1);
    std::string probe = std::filesystem::canonical("/proc/self/exe").parent_path() / "file_fault_probe";
    execl(probe.c_str(), "file_fault_probe", nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CrtFileFaults, ArmedByTheEnvironment) {
  EXPECT_EQ(RunFaultProbe("1"), 0);
  EXPECT_EQ(RunFaultProbe(nullptr), 1);
}

}  // namespace
}  // namespace provider_test

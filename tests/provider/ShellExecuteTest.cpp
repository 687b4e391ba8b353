// The shell's "open" as the system uses it: programs found like the
// platform finds them, web addresses recorded, everything else refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "FinishFixture.h"
#include "desktop/Desktop.h"
#include "framework.h"

namespace provider_test {
namespace {

INT_PTR Open(const char* file, const char* parameters = nullptr, const char* directory = nullptr,
             const char* verb = "open") {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, verb, file, parameters, directory, SW_SHOWNORMAL));
}

using ShellOpen = FinishTest;

TEST_F(ShellOpen, ProgramOnPathStartsInTheFolderWithItsParameters) {
  WriteFile("work/keep", "");
  EXPECT_GT(Open("regsvr32.exe", "/s \"a b.dll\" c", "work"), 32);

  std::vector<Registration> registrations = WaitForRegistrations(1);
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].directory, m_installation.Path() + "/work");
  EXPECT_EQ(registrations[0].arguments, "/s a b.dll c");
  EXPECT_EQ(registrations[0].commandLine, QuotedToolPath() + " /s \"a b.dll\" c");
}

TEST_F(ShellOpen, ProgramInTheCurrentFolderComesFirst) {
  WriteFile("regsvr32.exe", "#!/bin/sh\necho here >> \"$REGSVR_LOG\"\n");
  chmod("regsvr32.exe", 0755);
  EXPECT_GT(Open("regsvr32.exe"), 32);
  std::vector<Registration> registrations = WaitForRegistrations(1);
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].directory, "here");
}

TEST_F(ShellOpen, WebAddressIsRecordedNotStarted) {
  EXPECT_GT(Open("https://www.example/forum.php?gid=300"), 32);
  ASSERT_EQ(winsim::Desktop().shellCalls.size(), 1u);
  EXPECT_EQ(winsim::Desktop().shellCalls[0].file, "https://www.example/forum.php?gid=300");
}

TEST_F(ShellOpen, TheRecordKeepsTheOwnerWindowForTheDump) {
  HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10234));
  EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", "http://www.example/quom", nullptr, nullptr, SW_SHOWNORMAL)), 32);
  ASSERT_EQ(winsim::Desktop().shellCalls.size(), 1u);
  EXPECT_EQ(winsim::Desktop().shellCalls[0].owner, owner);
  EXPECT_EQ(winsim::DumpState(std::nullopt)["shell"][0]["owner"], 0x10234);
  EXPECT_EQ(winsim::DumpState(std::nullopt)["shell"][0]["file"], "http://www.example/quom");
}

TEST_F(ShellOpen, FailuresAreThePlatformsNumbers) {
  WriteFile("work/keep", "");
  EXPECT_EQ(Open("nowhere.exe"), SE_ERR_FNF);
  EXPECT_EQ(Open("regsvr32.exe", "/s x.dll", "no-such-folder"), SE_ERR_PNF);
  EXPECT_EQ(winsim::Desktop().shellCalls.size(), 2u) << "failed calls are recorded too";
  EXPECT_TRUE(WaitForRegistrations(0).empty());
}

TEST_F(ShellOpen, OtherVerbsFailLoudly) {
  ScopedEnvironment strict("WINSIM_STRICT", "1");
  EXPECT_DEATH(Open("regsvr32.exe", nullptr, nullptr, "print"), "unsupported");
  EXPECT_DEATH(Open("readme.txt"), "unsupported");
}

}  // namespace
}  // namespace provider_test

// CreateProcessA over real processes, and library loading by name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "DesktopFixture.h"
#include "ProgramRun.h"
#include "win32/KernelObjects.h"
#include "win32/Windows.h"

namespace fs = std::filesystem;
using testing_support::ReadText;
using testing_support::ScratchDir;

namespace {

class Processes : public DesktopTest {
 protected:
  Processes() { testing_support::CopyFile(ARGV_RECORDER, m_dir / "recorder.exe"); }

  // Waits for the recorder's log in `dir` and returns it.
  std::string WaitForLog(const fs::path& dir) {
    for (int i = 0; i < 500; ++i) {
      std::string log = ReadText(dir / "updater.log");
      if (!log.empty()) return log;
      usleep(10000);
    }
    return {};
  }

  ScratchDir m_dir;
};

}  // namespace

TEST_F(Processes, CommandLineBecomesArgvAndTheWholeLineIsGivenToTheChild) {
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi;
  char line[] = "first \"second word\" third";
  std::string app = (m_dir / "recorder.exe").string();
  size_t before = winsim::OpenKernelHandleCount();
  ASSERT_TRUE(CreateProcessA(app.c_str(), line, nullptr, nullptr, FALSE, 0, nullptr, m_dir.path().c_str(), &si, &pi));
  EXPECT_EQ(winsim::OpenKernelHandleCount(), before + 2);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  EXPECT_TRUE(CloseHandle(pi.hThread));
  EXPECT_EQ(winsim::OpenKernelHandleCount(), before);
  std::string log = WaitForLog(m_dir.path());
  EXPECT_NE(log.find("argc=3\nargv[0]=first\nargv[1]=second word\nargv[2]=third\n"), std::string::npos) << log;
  EXPECT_NE(log.find("cmdline=first \"second word\" third\n"), std::string::npos) << log;
}

TEST_F(Processes, ApplicationNameIsRelativeToTheCallersFolderNotTheChilds) {
  ScratchDir elsewhere;
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(m_dir.path().c_str()), 0);
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi;
  char line[] = "token";
  BOOL ok = CreateProcessA("./recorder.exe", line, nullptr, nullptr, TRUE, 0, nullptr, elsewhere.path().c_str(), &si,
                           &pi);
  ASSERT_EQ(chdir(cwd), 0);
  ASSERT_TRUE(ok);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  EXPECT_NE(WaitForLog(elsewhere.path()).find("argv[0]=token\n"), std::string::npos);
}

TEST_F(Processes, MissingProgramFailsWithFileNotFound) {
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi;
  char line[] = "x";
  std::string app = (m_dir / "absent.exe").string();
  EXPECT_FALSE(CreateProcessA(app.c_str(), line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  ASSERT_FALSE(winsim::Desktop().processes.empty());
  EXPECT_FALSE(winsim::Desktop().processes.back().ok);
}

TEST_F(Processes, SystemLibrariesAreTheStandInAndOthersAreSearchedForByName) {
  HMODULE user32 = LoadLibraryA("User32.DLL");
  ASSERT_NE(user32, nullptr);
  EXPECT_NE(GetProcAddress(user32, "SetLayeredWindowAttributes"), nullptr);
  EXPECT_EQ(GetProcAddress(user32, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  FreeLibrary(user32);

  EXPECT_EQ(LoadLibraryA("Absent.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  // A library in the current folder is found by its plain name.
  testing_support::CopyFile(FAKE_PROVIDER, m_dir / "Ostrel.dll");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(m_dir.path().c_str()), 0);
  HMODULE provider = LoadLibraryA("Ostrel.dll");
  ASSERT_EQ(chdir(cwd), 0);
  ASSERT_NE(provider, nullptr);
  EXPECT_NE(GetProcAddress(provider, "check"), nullptr);
  EXPECT_NE(GetProcAddress(provider, "run"), nullptr);
}

#include "WineHost.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string_view>

#ifndef LORVANE_WINDOWS_BUILD
#error LORVANE_WINDOWS_BUILD names the folder of the Windows build
#endif

namespace wine_test {

namespace fs = std::filesystem;

namespace {

// Wine's own environment: its prefix, its quiet, no installers for the
// components the provider does not use, and the locales of its code pages.
std::map<std::string, std::string> WineEnvironment(CodePage codePage) {
  return {
      {"WINEPREFIX", (WindowsBuild() / "wine-prefix").string()},
      {"WINEDEBUG", "-all"},
      {"WINEDLLOVERRIDES", "mscoree,mshtml="},
      {"LOCPATH", (WindowsBuild() / "locale").string()},
      // The UTF-8 host takes its code page from its manifest, whatever the locale.
      {"LANG", codePage == CodePage::Gbk ? "zh_CN.UTF-8" : "en_US.UTF-8"},
  };
}

// This process's environment with Wine's, and without LC_ALL, which would
// overrule LANG.
std::vector<std::string> ChildEnvironment(CodePage codePage) {
  std::map<std::string, std::string> wine = WineEnvironment(codePage);
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    std::string_view text(*entry);
    std::string name(text.substr(0, text.find('=')));
    if (name != "LC_ALL" && !wine.count(name)) env.emplace_back(text);
  }
  for (const auto& [name, value] : wine) env.push_back(name + "=" + value);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts "wine PROGRAM ARGS..." with its output into `outputFd`.
pid_t Spawn(const WineRun& run, int outputFd) {
  std::vector<std::string> args = {"wine", (WindowsBin() / run.program).string()};
  args.insert(args.end(), run.args.begin(), run.args.end());
  std::vector<std::string> env = ChildEnvironment(run.codePage);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Nothing that Wine starts on the program's behalf holds this process's
  // own output: the test's runner waits for that to close.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
  pid_t pid = 0;
  int failed = posix_spawnp(&pid, "wine", &actions, nullptr, Pointers(args).data(), Pointers(env).data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error("cannot start wine");
  return pid;
}

// Appends what the pipe holds, waiting up to `waitMs` for the first bytes.
void ReadAvailable(int fd, int waitMs, std::string& output) {
  char buffer[512];
  pollfd ready = {fd, POLLIN, 0};
  while (poll(&ready, 1, waitMs) > 0) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) {  // closed: nothing more comes, but the host may not have ended yet
      poll(nullptr, 0, waitMs);
      return;
    }
    output.append(buffer, static_cast<size_t>(n));
    waitMs = 0;
  }
}

// Collects the program's output until it has ended, or kills it at the
// deadline (false then). It does not wait for the pipe to close: the
// processes it starts (a registration, the updater) inherit it.
bool CollectUntilExit(pid_t pid, int fd, std::chrono::steady_clock::time_point deadline, std::string& output) {
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    ReadAvailable(fd, 50, output);
  }
  ReadAvailable(fd, 0, output);
  return true;
}

}  // namespace

fs::path WindowsBuild() {
  const char* bin = std::getenv("LORVANE_WINDOWS_BIN");
  return bin ? fs::path(bin).parent_path() : fs::path(LORVANE_WINDOWS_BUILD);
}

fs::path WindowsBin() {
  const char* bin = std::getenv("LORVANE_WINDOWS_BIN");
  return bin ? fs::path(bin) : WindowsBuild() / "bin";
}

std::string ZPath(const fs::path& path) {
  std::string windows = "Z:" + fs::absolute(path).lexically_normal().string();
  for (char& ch : windows) ch = ch == '/' ? '\\' : ch;
  return windows;
}

WineOutput RunUnderWine(const WineRun& run) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the program's output");
  pid_t pid = Spawn(run, pipeFds[1]);
  close(pipeFds[1]);
  WineOutput output;
  output.finished = CollectUntilExit(pid, pipeFds[0], std::chrono::steady_clock::now() + run.limit, output.text);
  close(pipeFds[0]);
  return output;
}

HostAnswer RunHost(const HostRun& run) {
  WineRun program{run.codePage == CodePage::Gbk ? "ostrel_host.exe" : "ostrel_host_utf8.exe",
                  {run.exportName},
                  run.codePage,
                  run.limit};
  for (const std::string& file : run.held) {
    program.args.push_back("--hold");
    program.args.push_back(file);
  }
  WineOutput output = RunUnderWine(program);
  HostAnswer answer;
  answer.output = output.text;
  int result = 0, error = 0;
  long long microseconds = 0;
  size_t line = output.text.find("result ");
  if (output.finished && line != std::string::npos &&
      std::sscanf(output.text.c_str() + line, "result %d error %d microseconds %lld", &result, &error, &microseconds) ==
          3) {
    answer.outcome = provider_test::Outcome{result != 0, error};
    answer.callTime = std::chrono::microseconds(microseconds);
  }
  return answer;
}

provider_test::Outcome CallUnderWine(const char* exportName, CodePage codePage) {
  HostRun run;
  run.exportName = exportName;
  run.codePage = codePage;
  HostAnswer answer = RunHost(run);
  EXPECT_TRUE(answer.outcome) << exportName << " did not answer; the host printed: " << answer.output;
  return answer.outcome.value_or(provider_test::Outcome{false, 0x7777});
}

}  // namespace wine_test

#include "ProgramRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#ifndef LORVANE_BUILD_BIN
#error LORVANE_BUILD_BIN names the folder of the built program
#endif

namespace testing_support {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("lorvane-test-" + std::to_string(rd()));
    if (fs::create_directory(candidate)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch folder");
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(m_path, ec);
}

fs::path BuildBin() { return fs::path(LORVANE_BUILD_BIN); }

void CopyFile(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void InstallProgram(const fs::path& dir) {
  CopyFile(BuildBin() / "Lorvane", dir / "Lorvane");
  CopyFile(BuildBin() / "libwinsim.so", dir / "libwinsim.so");
}

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

ProgramResult Run(const ProgramRun& run) {
  ProgramResult result;
  result.out = run.dir / "out";
  fs::create_directories(result.out);
  fs::path script = run.dir / "session.script";
  std::string lines;
  for (const std::string& line : run.script) lines += line + "\n";
  WriteText(script, lines);

  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(run.dir.c_str()) != 0) _exit(126);
    setenv("WINSIM_OUT", result.out.c_str(), 1);
    setenv("WINSIM_SCRIPT", script.c_str(), 1);
    unsetenv("WINSIM_CMDLINE_PID");
    if (run.commandLine.empty()) {
      unsetenv("WINSIM_CMDLINE");
    } else {
      setenv("WINSIM_CMDLINE", run.commandLine.c_str(), 1);
    }
    for (const auto& [k, v] : run.env) setenv(k.c_str(), v.c_str(), 1);
    std::vector<std::string> argv = {"./Lorvane"};
    argv.insert(argv.end(), run.args.begin(), run.args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    execv("./Lorvane", cargv.data());
    _exit(127);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      throw std::runtime_error("the program did not end within 60 seconds");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  fs::path final = result.out / "final.json";
  if (fs::exists(final)) result.final = nlohmann::json::parse(ReadText(final));
  return result;
}

std::vector<nlohmann::json> WindowsWithTemplate(const nlohmann::json& dump, int templateId) {
  std::vector<nlohmann::json> found;
  for (const auto& w : dump.at("windows")) {
    if (w.at("template").is_number() && w.at("template").get<int>() == templateId) found.push_back(w);
  }
  return found;
}

}  // namespace testing_support

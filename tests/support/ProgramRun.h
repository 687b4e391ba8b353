// Runs the real program in a scratch installation, as a user would start
// it, with a script of user actions, and reads what the desktop recorded.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace testing_support {

// A fresh folder that is removed when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

// The folder holding the built program, the stand-in and Ostrel.dll.
std::filesystem::path BuildBin();

// Copies the program and the stand-in into `dir` (not the provider).
void InstallProgram(const std::filesystem::path& dir);
void CopyFile(const std::filesystem::path& from, const std::filesystem::path& to);
void WriteText(const std::filesystem::path& file, const std::string& text);
std::string ReadText(const std::filesystem::path& file);

struct ProgramResult {
  int exitCode = -1;
  nlohmann::json final;  // final.json; null when none was written
  std::filesystem::path out;
};

struct ProgramRun {
  std::filesystem::path dir;                   // installation and current folder
  std::vector<std::string> script;             // user actions
  std::string commandLine;                     // WINSIM_CMDLINE; empty: started without arguments
  std::map<std::string, std::string> env;      // more environment
  std::vector<std::string> args;               // real argv after the program's name
};

// Starts dir/Lorvane and waits for it to end (at most 60 seconds).
ProgramResult Run(const ProgramRun& run);

// The windows of a dump with the given template id.
std::vector<nlohmann::json> WindowsWithTemplate(const nlohmann::json& dump, int templateId);

}  // namespace testing_support

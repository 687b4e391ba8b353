// The Windows build under Wine, driven from the Linux side: the host program
// calls one export of the real Ostrel.dll per run, in the current folder.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Outcome.h"

namespace wine_test {

// The Windows build's artifacts: $LORVANE_WINDOWS_BIN, else build-windows/bin.
std::filesystem::path WindowsBin();
// The Windows build's folder, which also holds the Wine prefix and locales.
std::filesystem::path WindowsBuild();

// A Windows path of a Linux one, as Wine's drive Z: shows it.
std::string ZPath(const std::filesystem::path& path);

// The ANSI code page the host runs with.
enum class CodePage {
  Gbk,   // 936, from the system's locale, as on the target systems
  Utf8,  // 65001, which the host asks for in its manifest
};

// A program of the Windows build, run under Wine in the current folder.
struct WineRun {
  std::string program;  // its file name in WindowsBin()
  std::vector<std::string> args = {};
  CodePage codePage = CodePage::Gbk;
  std::chrono::seconds limit{60};
};

struct WineOutput {
  bool finished = false;  // false: killed at the limit
  std::string text;       // what it printed, both streams
};

WineOutput RunUnderWine(const WineRun& run);

// The host: one export of Ostrel.dll per run.
struct HostRun {
  const char* exportName = "";
  CodePage codePage = CodePage::Gbk;
  std::vector<std::string> held = {};  // files held open while the export runs
  std::chrono::seconds limit{60};
};

struct HostAnswer {
  std::optional<provider_test::Outcome> outcome;  // none: no answer within the limit
  std::chrono::microseconds callTime{0};          // the export's own time, as the host measured it
  std::string output;                             // what the host printed
};

HostAnswer RunHost(const HostRun& run);
// Runs the host and returns what the export answered, failing the test when
// it did not answer.
provider_test::Outcome CallUnderWine(const char* exportName, CodePage codePage = CodePage::Gbk);

}  // namespace wine_test

#include "CommandLine.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "WinBase.h"

namespace winsim {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one argument after the program name; returns false at the end.
bool NextArgument(const std::string& s, size_t& i, std::string& out) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i >= s.size()) return false;
  out.clear();
  bool quoted = false;
  while (i < s.size()) {
    size_t backslashes = 0;
    while (i < s.size() && s[i] == '\\') {
      ++backslashes;
      ++i;
    }
    if (i < s.size() && s[i] == '"') {
      out.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) {
        out.push_back('"');
        ++i;
      } else if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
        out.push_back('"');  // "" inside quotes is a literal quote
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    out.append(backslashes, '\\');
    if (i >= s.size()) break;
    if (!quoted && IsBlank(s[i])) break;
    out.push_back(s[i++]);
  }
  return true;
}

std::string ReadOwnArgv() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> argv;
  size_t start = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\0') {
      argv.push_back(raw.substr(start, i - start));
      start = i + 1;
    }
  }
  return JoinCommandLine(argv);
}

// Read once at load time, while the process is still single-threaded, and
// taken out of the environment so that grandchildren do not inherit it.
std::string CaptureCommandLine() {
  const char* given = std::getenv("WINSIM_CMDLINE");
  const char* forPid = std::getenv("WINSIM_CMDLINE_PID");
  std::string result;
  bool mine = given && (!forPid || std::atol(forPid) == static_cast<long>(getpid()));
  result = mine ? std::string(given) : ReadOwnArgv();
  unsetenv("WINSIM_CMDLINE");
  unsetenv("WINSIM_CMDLINE_PID");
  return result;
}

std::string& CommandLineStorage() {
  static std::string* line = new std::string(CaptureCommandLine());
  return *line;
}

[[maybe_unused]] const bool g_captured = (CommandLineStorage(), true);

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& s) {
  std::vector<std::string> argv;
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i >= s.size()) return argv;
  std::string program;
  if (s[i] == '"') {
    size_t end = s.find('"', i + 1);
    program = s.substr(i + 1, (end == std::string::npos ? s.size() : end) - i - 1);
    i = (end == std::string::npos) ? s.size() : end + 1;
  } else {
    size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    program = s.substr(start, i - start);
  }
  argv.push_back(program);
  std::string arg;
  while (NextArgument(s, i, arg)) argv.push_back(arg);
  return argv;
}

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, '\\');
  out.push_back('"');
  return out;
}

std::string JoinCommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (size_t i = 0; i < argv.size(); ++i) {
    if (i) line.push_back(' ');
    // The program name has no escapes: it is quoted whole when it needs it.
    if (i == 0) {
      line += argv[0].find_first_of(" \t") == std::string::npos && !argv[0].empty() ? argv[0]
                                                                                      : "\"" + argv[0] + "\"";
    } else {
      line += QuoteArgument(argv[i]);
    }
  }
  return line;
}

const char* SkipProgramName(const char* p) {
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (static_cast<unsigned char>(*p) > ' ') ++p;
  }
  while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
  return p;
}

const std::string& ProcessCommandLine() { return CommandLineStorage(); }

}  // namespace winsim

extern "C" LPSTR WINAPI GetCommandLineA(void) { return winsim::CommandLineStorage().data(); }

// The shell's "open": programs become real processes, web addresses are
// recorded for the browser that the desktop does not have yet.
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Process.h"
#include "Shell.h"
#include "Unsupported.h"
#include "WinBase.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

constexpr INT_PTR kStarted = 42;  // any value above 32 means success

// Programs the shell started: nobody waits for them, so they are reaped here.
std::vector<pid_t> g_started;

void ReapFinished() {
  std::erase_if(g_started, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

HINSTANCE Result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsWebAddress(const std::string& file) {
  std::string lower;
  for (char c : file) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return StartsWith(lower, "http://") || StartsWith(lower, "https://");
}

bool IsProgram(const std::string& file) {
  return file.size() > 4 && strcasecmp(file.c_str() + file.size() - 4, ".exe") == 0;
}

bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Absolute(const std::string& path) {
  if (path[0] == '/') return path;
  char cwd[4096];
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

// A bare program name is sought in the current folder and then along PATH,
// as the platform does (its own system folders are PATH entries here); a name
// with a folder in it is taken as it stands.
std::string FindProgram(const std::string& file) {
  std::string host = HostPath(file);
  if (host.find('/') != std::string::npos || IsFile(host)) return IsFile(host) ? Absolute(host) : std::string();
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + host;
    if (IsFile(candidate)) return Absolute(candidate);
    start = end + 1;
  }
  return std::string();
}

INT_PTR ShellErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return SE_ERR_FNF;
    case ENOTDIR:
      return SE_ERR_PNF;
    case EACCES:
    case EPERM:
      return SE_ERR_ACCESSDENIED;
    case ENOMEM:
      return SE_ERR_OOM;
    default:
      return ERROR_BAD_FORMAT;
  }
}

INT_PTR OpenProgram(const std::string& file, const char* parameters, const char* directory) {
  std::string program = FindProgram(file);
  if (program.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return SE_ERR_FNF;
  }
  if (directory && *directory && !IsDirectory(HostPath(directory))) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return SE_ERR_PNF;
  }
  SpawnRequest request;
  request.path = program;
  // The shell names the program by its full path in quotes.
  request.commandLine = "\"" + program + "\"";
  if (parameters && *parameters) request.commandLine += std::string(" ") + parameters;
  request.argv = SplitCommandLine(request.commandLine);
  request.directory = directory ? directory : "";
  SpawnResult started = Spawn(request);
  if (started.error != 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(started.error)));
    return ShellErrorFromErrno(started.error);
  }
  g_started.push_back(started.pid);
  return kStarted;
}

}  // namespace

}  // namespace winsim

using namespace winsim;

extern "C" HINSTANCE WINAPI ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                                          LPCSTR lpDirectory, INT nShowCmd) {
  ReapFinished();
  Desktop().shellCalls.push_back(ShellRecord{hwnd, lpOperation ? lpOperation : "", lpFile ? lpFile : "",
                                             lpParameters ? lpParameters : "", lpDirectory ? lpDirectory : "",
                                             nShowCmd});
  // A null verb is the default verb, which is "open" for programs and web addresses.
  if (lpOperation && std::string(lpOperation) != "open") {
    WINSIM_UNSUPPORTED("verbs other than open");
    return Result(SE_ERR_NOASSOC);
  }
  std::string file = lpFile ? lpFile : "";
  if (IsWebAddress(file)) return Result(kStarted);
  if (!IsProgram(file)) {
    WINSIM_UNSUPPORTED("opening documents through file associations");
    return Result(SE_ERR_NOASSOC);
  }
  return Result(OpenProgram(file, lpParameters, lpDirectory));
}

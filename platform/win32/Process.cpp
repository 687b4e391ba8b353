#include "Process.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CommandLine.h"
#include "KernelObjects.h"
#include "Unsupported.h"
#include "WinBase.h"
#include "desktop/Desktop.h"

extern char** environ;

namespace winsim {

namespace {

constexpr const char kPidKey[] = "WINSIM_CMDLINE_PID=";
constexpr size_t kPidDigits = 20;

bool IsOurKey(const std::string& entry) {
  return entry.rfind("WINSIM_CMDLINE=", 0) == 0 || entry.rfind(kPidKey, 0) == 0;
}

std::vector<std::string> ChildEnvironment(const SpawnRequest& request) {
  std::vector<std::string> env;
  if (request.environment) {
    for (const char* p = request.environment; *p; p += std::strlen(p) + 1) env.emplace_back(p);
  } else {
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
  }
  std::erase_if(env, IsOurKey);
  env.push_back("WINSIM_CMDLINE=" + request.commandLine);
  // The pid is written in by the child itself, so that only it, and not a
  // grandchild that inherits the variable, takes the command line as its own.
  env.push_back(std::string(kPidKey) + std::string(kPidDigits, ' '));
  return env;
}

// Async-signal-safe: runs in the child between fork and exec.
void WritePid(char* digits, pid_t pid) {
  char tmp[kPidDigits];
  size_t n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + pid % 10);
    pid /= 10;
  } while (pid > 0 && n < kPidDigits);
  for (size_t i = 0; i < n; ++i) digits[i] = tmp[n - 1 - i];
  digits[n] = '\0';
}

[[noreturn]] void ChildFail(int pipeFd) {
  int error = errno;
  ssize_t ignored = write(pipeFd, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

std::string AbsolutePath(const std::string& path) {
  std::string host = HostPath(path);
  if (!host.empty() && host[0] == '/') return host;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return host;
  return std::string(cwd) + "/" + host;
}

}  // namespace

std::string HostPath(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

unsigned long ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INVALID_FUNCTION;
  }
}

SpawnResult Spawn(const SpawnRequest& request) {
  std::string path = AbsolutePath(request.path);
  std::vector<std::string> env = ChildEnvironment(request);
  std::vector<char*> argv;
  for (const std::string& a : request.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  char* pidDigits = env.back().data() + sizeof(kPidKey) - 1;
  std::string directory = HostPath(request.directory);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {-1, errno};
  pid_t pid = fork();
  if (pid < 0) {
    int error = errno;
    close(fds[0]);
    close(fds[1]);
    return {-1, error};
  }
  if (pid == 0) {
    close(fds[0]);
    if (!request.inheritHandles) {
      // Only what the caller marked inheritable crosses; here that is nothing.
      if (fds[1] > 3) syscall(SYS_close_range, 3u, static_cast<unsigned>(fds[1] - 1), 0u);
      syscall(SYS_close_range, static_cast<unsigned>(fds[1] + 1), ~0u, 0u);
    }
    if (!directory.empty() && chdir(directory.c_str()) != 0) ChildFail(fds[1]);
    WritePid(pidDigits, getpid());
    execve(path.c_str(), argv.data(), envp.data());
    ChildFail(fds[1]);
  }
  close(fds[1]);
  int error = 0;
  ssize_t n;
  do {
    n = read(fds[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(fds[0]);
  if (n == static_cast<ssize_t>(sizeof error)) {
    waitpid(pid, nullptr, 0);
    return {-1, error};
  }
  return {pid, 0};
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                                      LPSECURITY_ATTRIBUTES, BOOL bInheritHandles, DWORD dwCreationFlags,
                                      LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                                      LPPROCESS_INFORMATION lpProcessInformation) {
  if (!lpApplicationName) {
    WINSIM_UNSUPPORTED("a null application name (search by command line)");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dwCreationFlags != 0) {
    WINSIM_UNSUPPORTED("creation flags");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!lpStartupInfo || !lpProcessInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SpawnRequest request;
  request.path = lpApplicationName;
  request.commandLine = lpCommandLine ? lpCommandLine : lpApplicationName;
  request.argv = SplitCommandLine(request.commandLine);
  if (request.argv.empty()) request.argv.push_back(lpApplicationName);
  request.environment = static_cast<const char*>(lpEnvironment);
  request.directory = lpCurrentDirectory ? lpCurrentDirectory : "";
  request.inheritHandles = bInheritHandles != FALSE;
  SpawnResult result = Spawn(request);

  char cwd[4096] = "";
  ProcessRecord record{lpApplicationName, request.commandLine,
                       lpCurrentDirectory ? lpCurrentDirectory : (getcwd(cwd, sizeof cwd) ? cwd : ""),
                       result.error == 0};
  Desktop().processes.push_back(record);
  if (result.error != 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(result.error)));
    return FALSE;
  }
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, result.pid, 0));
  int threadFd = pidfd >= 0 ? fcntl(pidfd, F_DUPFD_CLOEXEC, 0) : -1;
  lpProcessInformation->hProcess =
      AddKernelObject(std::make_unique<KernelObject>(KernelObject::Kind::Process, pidfd, result.pid));
  lpProcessInformation->hThread =
      AddKernelObject(std::make_unique<KernelObject>(KernelObject::Kind::Thread, threadFd, result.pid));
  lpProcessInformation->dwProcessId = static_cast<DWORD>(result.pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(result.pid);
  return TRUE;
}

extern "C" void WINAPI GetStartupInfoA(LPSTARTUPINFOA lpStartupInfo) {
  if (!lpStartupInfo) return;
  std::memset(lpStartupInfo, 0, sizeof *lpStartupInfo);
  lpStartupInfo->cb = sizeof *lpStartupInfo;
}

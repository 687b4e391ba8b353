#include "Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "FileFaults.h"
#include "Process.h"
#include "Unsupported.h"
#include "WinBase.h"

namespace winsim {

namespace {

unsigned long FaultFromEnvironment() {
  const char* value = std::getenv("WINSIM_FAIL_FILE_OP");
  return value ? std::strtoul(value, nullptr, 10) : 0;
}

std::atomic<unsigned long> g_fileCalls{0};
std::atomic<unsigned long> g_failingCall{FaultFromEnvironment()};

bool ParentExists(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return true;
  struct stat st;
  return stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A name that is not there: the file is missing, or a folder on its way is.
DWORD MissingError(const std::string& path) { return ParentExists(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND; }

}  // namespace

void FailFileCall(unsigned long k) {
  g_fileCalls = 0;
  g_failingCall = k;
}

unsigned long FileCallCount() { return g_fileCalls; }

bool FileCallFails() {
  unsigned long call = ++g_fileCalls;
  return call == g_failingCall;
}

}  // namespace winsim

using winsim::HostPath;

extern "C" int __cdecl _access(const char* path, int mode) {
  if (winsim::FileCallFails()) {
    errno = EACCES;
    return -1;
  }
  if (mode != 0) {
    WINSIM_UNSUPPORTED("access modes other than 0 (existence)");
    errno = EINVAL;
    return -1;
  }
  struct stat st;
  if (!path || stat(HostPath(path).c_str(), &st) != 0) {
    errno = ENOENT;
    return -1;
  }
  return 0;
}

extern "C" int __cdecl __wrap_rename(const char* oldName, const char* newName) {
  if (winsim::FileCallFails()) {
    errno = EACCES;
    return -1;
  }
  if (!oldName || !newName) {
    errno = EINVAL;
    return -1;
  }
  std::string from = HostPath(oldName);
  std::string to = HostPath(newName);
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  switch (errno) {
    case ENOENT:
      break;  // the source, or the target's folder, is missing
    case EXDEV:
      WINSIM_UNSUPPORTED("a move across file systems");
      errno = EACCES;
      break;
    default:
      // The target exists, or cannot be created: the platform says EACCES for both.
      errno = EACCES;
      break;
  }
  return -1;
}

extern "C" BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  if (winsim::FileCallFails()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!lpFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path = HostPath(lpFileName);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) {
    SetLastError(winsim::MissingError(path));
    return FALSE;
  }
  if (S_ISDIR(st.st_mode) || (st.st_mode & S_IWUSR) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (unlink(path.c_str()) != 0) {
    SetLastError(static_cast<DWORD>(winsim::ErrorFromErrno(errno)));
    return FALSE;
  }
  return TRUE;
}

#include "KernelObjects.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "WinBase.h"

namespace winsim {

namespace {

struct Table {
  std::mutex mutex;
  std::map<uintptr_t, std::unique_ptr<KernelObject>> objects;
  uintptr_t next = 0x100;
};

Table& T() {
  static Table* table = new Table();
  return *table;
}

// Reaps the child if it has ended; a process we no longer hold a handle
// to must not linger as a zombie.
void ReapIfEnded(pid_t pid) {
  siginfo_t info{};
  waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG);
}

}  // namespace

KernelObject::~KernelObject() {
  if (fd >= 0) close(fd);
  if (kind == Kind::Process && pid > 0) ReapIfEnded(pid);
}

HANDLE AddKernelObject(std::unique_ptr<KernelObject> object) {
  std::lock_guard<std::mutex> lock(T().mutex);
  uintptr_t key = T().next += 4;
  T().objects[key] = std::move(object);
  return reinterpret_cast<HANDLE>(key);
}

KernelObject* FindKernelObject(HANDLE handle) {
  std::lock_guard<std::mutex> lock(T().mutex);
  auto it = T().objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == T().objects.end() ? nullptr : it->second.get();
}

size_t OpenKernelHandleCount() {
  std::lock_guard<std::mutex> lock(T().mutex);
  return T().objects.size();
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
  std::unique_ptr<KernelObject> object;
  {
    std::lock_guard<std::mutex> lock(T().mutex);
    auto it = T().objects.find(reinterpret_cast<uintptr_t>(hObject));
    if (it == T().objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(it->second);
    T().objects.erase(it);
  }
  return TRUE;
}

extern "C" DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  KernelObject* object = FindKernelObject(hHandle);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  pollfd p{object->fd, POLLIN, 0};
  int timeout = dwMilliseconds == INFINITE ? -1 : static_cast<int>(dwMilliseconds);
  int r = poll(&p, 1, timeout);
  if (r < 0) return WAIT_FAILED;
  return r == 0 ? WAIT_TIMEOUT : WAIT_OBJECT_0;
}

extern "C" BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  KernelObject* object = FindKernelObject(hProcess);
  if (!object || !lpExitCode) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  siginfo_t info{};
  if (waitid(P_PIDFD, static_cast<id_t>(object->fd), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0) {
    *lpExitCode = STILL_ACTIVE;
    return TRUE;
  }
  *lpExitCode = info.si_code == CLD_EXITED ? static_cast<DWORD>(info.si_status) : 1;
  return TRUE;
}

extern "C" DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }

extern "C" DWORD WINAPI GetCurrentThreadId(void) { return static_cast<DWORD>(syscall(SYS_gettid)); }

extern "C" void WINAPI Sleep(DWORD dwMilliseconds) { usleep(static_cast<useconds_t>(dwMilliseconds) * 1000); }

extern "C" DWORD WINAPI GetTickCount(void) {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<DWORD>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

// Kernel handles: process and thread handles over Linux pidfds.
#pragma once

#include <sys/types.h>

#include <memory>

#include "WinDef.h"

namespace winsim {

struct KernelObject {
  enum class Kind { Process, Thread };
  Kind kind;
  int fd = -1;  // pidfd of the process (threads share their process's)
  pid_t pid = 0;
  KernelObject(Kind k, int f, pid_t p) : kind(k), fd(f), pid(p) {}
  ~KernelObject();
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;
};

HANDLE AddKernelObject(std::unique_ptr<KernelObject> object);
KernelObject* FindKernelObject(HANDLE handle);
// Number of kernel handles open (tests check that calls close what they open).
size_t OpenKernelHandleCount();

}  // namespace winsim

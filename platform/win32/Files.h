// Files with the Windows C run-time's semantics: _access, rename, DeleteFileA.
// Both '\' and '/' separate path components.
#pragma once

#include <cstdio>

#include "WinDef.h"

extern "C" {

// The C run-time's existence test. Only mode 0 is supported: the system asks
// nothing else.
int __cdecl _access(const char* path, int mode);

// The C run-time's rename moves the file with the platform's file move, which
// fails (errno EACCES) when the target exists. It lives under a name of its
// own: a stand-in exported as `rename` from the shared stand-in would
// interpose glibc's rename for the whole process (libcurl, TinyXML, the host's
// own tools), which rely on POSIX semantics. Product code writes `rename`
// as on the platform; the macro below sends those calls here. <cstdio> is
// included first so that its own declaration keeps the POSIX name.
int __cdecl winsim_crt_rename(const char* oldName, const char* newName);

// A read-only file (no owner write permission) cannot be deleted, as on the
// platform, even by a privileged user.
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);

}  // extern "C"

#define rename(oldName, newName) winsim_crt_rename(oldName, newName)

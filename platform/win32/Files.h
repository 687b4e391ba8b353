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
// fails (errno EACCES) when the target exists. Product code calls `rename`
// from <cstdio> as on the platform; its modules are linked with
// --wrap=rename, which sends exactly their calls here. Exporting a `rename`
// from the shared stand-in instead would interpose glibc's for the whole
// process (libcurl, TinyXML, the host's tools), which rely on POSIX rename.
int __cdecl __wrap_rename(const char* oldName, const char* newName);

// A read-only file (no owner write permission) cannot be deleted, as on the
// platform, even by a privileged user.
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);

}  // extern "C"

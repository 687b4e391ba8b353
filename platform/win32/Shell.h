// Shell32 surface: ShellExecuteA, tray icons.
#pragma once

#include "WinDef.h"

// ShellExecuteA results of 32 or less are these errors.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

extern "C" {

// "open" on a program starts it without waiting for it; "open" on a web
// address hands it to the default browser. The result is greater than 32 on
// success, an SE_ERR_* value otherwise.
HINSTANCE WINAPI ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                               INT nShowCmd);

}  // extern "C"

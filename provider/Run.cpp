// run: starts the updater program with the updater token as its whole
// command line and does not wait for it.
#include <cstring>

#include "framework.h"
#include "provider/Exports.h"

namespace {

const char kUpdaterToken[] = "QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB";
const DWORD kStartupInfoSize = 68;  // the ANSI startup record of the 32-bit platform

}  // namespace

OSTREL_EXPORT bool __cdecl run(int* pError) {
  *pError = 0;
  char commandLine[128];
  std::memset(commandLine, 0, sizeof commandLine);
  std::strcpy(commandLine, kUpdaterToken);

  STARTUPINFOA startup;
  startup.cb = kStartupInfoSize;
  GetStartupInfoA(&startup);

  PROCESS_INFORMATION process;
  if (!CreateProcessA("./Varnhold.exe", commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    *pError = -1;
    return false;
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

// The program's entry point: the platform's start-up code calls the
// framework's AfxWinMain with the command line after the program's name.
#include "afx/AfxWinApp.h"
#include "desktop/Desktop.h"
#include "win32/CommandLine.h"

int main() {
  winsim::InstallExitRecorder();
  LPSTR commandLine = const_cast<LPSTR>(winsim::SkipProgramName(::GetCommandLineA()));
  return AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
}

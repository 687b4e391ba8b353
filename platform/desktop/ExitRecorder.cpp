// final.json when the process ends by itself, with its exit code.
#include <cstdlib>

#include "Desktop.h"

namespace winsim {

namespace {

void OnExit(int status, void*) { WriteDump("final", status); }

bool g_installed = false;

}  // namespace

void InstallExitRecorder() {
  if (g_installed) return;
  g_installed = true;
  on_exit(OnExit, nullptr);
}

}  // namespace winsim

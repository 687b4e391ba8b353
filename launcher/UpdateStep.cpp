// The update step: the launcher's side of the contract with the update
// provider, run once as the panel initialises.
#include <cstdlib>
#include <cstring>

#include "launcher/LorvaneApp.h"
#include "panel/WebDialog.h"

namespace {

typedef bool(__cdecl* PFN_PROVIDER_EXPORT)(int* pError);

const char kRestartedByUpdater[] = "TRUE";

}  // namespace

void CWebDialog::RunUpdateStep() {
  HMODULE hProvider = LoadLibraryA("Ostrel.dll");
  if (!hProvider) return;
  auto pfnCheck = reinterpret_cast<PFN_PROVIDER_EXPORT>(GetProcAddress(hProvider, "check"));
  auto pfnRun = reinterpret_cast<PFN_PROVIDER_EXPORT>(GetProcAddress(hProvider, "run"));
  auto pfnFinish = reinterpret_cast<PFN_PROVIDER_EXPORT>(GetProcAddress(hProvider, "finish"));
  // A provider without all three exports is not one the launcher can drive.
  if (!pfnCheck || !pfnRun || !pfnFinish) return;

  int nError = 0;
  if (std::strcmp(theApp.m_lpCmdLine, kRestartedByUpdater) == 0) {
    if (!pfnFinish(&nError)) MessageBox("更新失败\n", nullptr, MB_OK);
  }
  if (pfnCheck(&nError) || nError != 0) return;
  if (pfnRun(&nError)) std::exit(0);
}

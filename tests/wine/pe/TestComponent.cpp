// A component that registers itself: DllRegisterServer leaves a marker,
// "registered.log" in the current folder, naming the file that was loaded
// and the command line of the process that loaded it.
#include <windows.h>

#include <cstdio>

namespace {

HMODULE g_hModule = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) g_hModule = hInstance;
  return TRUE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(g_hModule, module, sizeof module);
  FILE* marker = std::fopen("registered.log", "ab");
  if (!marker) return E_FAIL;
  std::fprintf(marker, "%s\n%s\n", module, GetCommandLineA());
  std::fclose(marker);
  return S_OK;
}

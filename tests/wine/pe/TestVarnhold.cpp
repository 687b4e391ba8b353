// A stand-in for the updater program "Varnhold": records how it was started
// in "varnhold.log" in its current folder (its whole command line, then the
// folder) and exits.
#include <windows.h>

#include <cstdio>

int main() {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  FILE* log = std::fopen("varnhold.log", "wb");
  if (!log) return 1;
  std::fprintf(log, "%s\n%s\n", GetCommandLineA(), folder);
  std::fclose(log);
  return 0;
}

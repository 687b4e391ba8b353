// A stand-in updater: records how it was started in updater.log in its
// current folder, one line each for argc, every argv and WINSIM_CMDLINE.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  FILE* f = std::fopen("updater.log", "w");
  if (!f) return 1;
  std::fprintf(f, "argc=%d\n", argc);
  for (int i = 0; i < argc; ++i) std::fprintf(f, "argv[%d]=%s\n", i, argv[i]);
  const char* line = std::getenv("WINSIM_CMDLINE");
  std::fprintf(f, "cmdline=%s\n", line ? line : "(none)");
  std::fclose(f);
  return 0;
}

// A stand-in update provider whose check and finish answer as the test
// asks (FAKE_CHECK, FAKE_FINISH) and log each call (FAKE_PROVIDER_LOG);
// run is the real one.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "provider/Exports.h"

namespace {

void Log(const char* call, int errorWordOnEntry) {
  const char* path = std::getenv("FAKE_PROVIDER_LOG");
  if (!path) return;
  if (FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s %d\n", call, errorWordOnEntry);
    std::fclose(f);
  }
}

bool Is(const char* variable, const char* value) {
  const char* v = std::getenv(variable);
  return v && std::strcmp(v, value) == 0;
}

}  // namespace

OSTREL_EXPORT bool __cdecl check(int* pError) {
  Log("check", *pError);
  *pError = 0;
  if (Is("FAKE_CHECK", "fail")) {
    *pError = -1;
    return false;
  }
  return !Is("FAKE_CHECK", "update");
}

OSTREL_EXPORT bool __cdecl finish(int* pError) {
  Log("finish", *pError);
  *pError = 0;
  return !Is("FAKE_FINISH", "fail");
}

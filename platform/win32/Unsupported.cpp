#include "Unsupported.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace winsim {

namespace {
bool Strict() {
#ifndef NDEBUG
  return true;
#else
  const char* strict = std::getenv("WINSIM_STRICT");
  return strict != nullptr && std::strcmp(strict, "1") == 0;
#endif
}
}  // namespace

void Unsupported(const char* api, const char* what) {
  std::fprintf(stderr, "winsim: %s: unsupported: %s\n", api, what);
  std::fflush(stderr);
  if (Strict()) std::abort();
}

}  // namespace winsim

// A call or argument outside what the stand-in supports fails loudly: it is
// reported on stderr and, in debug builds or with WINSIM_STRICT=1, aborts.
// Release builds then let the call fail the way the platform reports failure.
#pragma once

namespace winsim {

void Unsupported(const char* api, const char* what);

}  // namespace winsim

#define WINSIM_UNSUPPORTED(what) ::winsim::Unsupported(__func__, what)

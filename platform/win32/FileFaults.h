// Fault injection for the file calls of the stand-in (_access, rename,
// DeleteFileA): the k-th call of the process fails the way the platform
// reports a file that is in use. WINSIM_FAIL_FILE_OP=k arms it at start-up;
// tests arm it through this hook.
#pragma once

namespace winsim {

// Restarts the count of file calls; the k-th call from now on fails (k counts
// from 1; 0 disarms).
void FailFileCall(unsigned long k);
// File calls made since the count was last restarted.
unsigned long FileCallCount();
// Counts one file call; true when this is the one that must fail.
bool FileCallFails();

}  // namespace winsim

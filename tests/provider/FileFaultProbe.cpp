// Exits with 0 exactly when its first file call fails and its second does
// not: how a test sees that WINSIM_FAIL_FILE_OP arms the fault at start-up.
#include "framework.h"

int main() {
  bool firstFailed = _access(".", 0) != 0;
  bool secondWorked = _access(".", 0) == 0;
  return firstFailed && secondWorked ? 0 : 1;
}

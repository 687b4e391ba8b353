// check and finish keep the result convention until their own work lands:
// check reports a failed check, finish has nothing to do.
#include "provider/Exports.h"

OSTREL_EXPORT bool __cdecl check(int* pError) {
  *pError = -1;
  return false;
}

OSTREL_EXPORT bool __cdecl finish(int* pError) {
  *pError = 0;
  return true;
}

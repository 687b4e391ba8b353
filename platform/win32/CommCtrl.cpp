// The common control classes the launcher asks for are the system's own
// classes here; initialising them only checks the request.
#include "CommCtrl.h"

#include "WinBase.h"

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

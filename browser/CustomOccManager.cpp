#include "browser/CustomOccManager.h"

#include <new>

#include "browser/CustomControlSite.h"

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* pCtrlCont) {
  return new (std::nothrow) CCustomControlSite(pCtrlCont);
}

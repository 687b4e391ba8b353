// CCustomOccManager: gives every control the launcher's dialogs host the
// launcher's own control site.
#pragma once

#include "framework.h"

class CCustomOccManager : public COccManager {
 public:
  CCustomOccManager() = default;
  COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override;
};

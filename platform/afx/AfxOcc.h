// OLE control containment: the manager that hosts the OLE controls of
// dialog templates.
#pragma once

#include "afx/AfxWnd.h"

namespace winsim {
struct DialogItemTemplate;
}

class COccManager {
 public:
  COccManager() = default;
  virtual ~COccManager() = default;
  COccManager(const COccManager&) = delete;
  COccManager& operator=(const COccManager&) = delete;

  // Creates the control of one template item inside the dialog, placed in
  // the z-order after `hWndAfter`; returns its window or null.
  virtual HWND CreateDlgControl(CWnd* pDialog, const winsim::DialogItemTemplate& item, int baseX, int baseY,
                                HWND hWndAfter);
};

void AfxEnableControlContainer(COccManager* pOccManager = nullptr);

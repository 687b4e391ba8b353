// OLE control containment: the manager that hosts the OLE controls of
// dialog templates.
#pragma once

#include "afx/AfxOleSite.h"
#include "afx/AfxWnd.h"

// Parameter and result types of CWnd::InvokeHelper, one byte each.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_PI4 "\x43"
#define VTS_PBSTR "\x48"
#define VTS_PVARIANT "\x4C"

namespace winsim {
struct DialogItemTemplate;
}

class COccManager {
 public:
  COccManager() = default;
  virtual ~COccManager() = default;
  COccManager(const COccManager&) = delete;
  COccManager& operator=(const COccManager&) = delete;

  virtual COleControlContainer* CreateContainer(CWnd* pWnd);
  virtual COleControlSite* CreateSite(COleControlContainer* pCtrlCont);

  // Creates the control of one template item inside the dialog, placed in
  // the z-order after `hWndAfter`; returns its window or null.
  HWND CreateDlgControl(CWnd* pDialog, const winsim::DialogItemTemplate& item, int baseX, int baseY, HWND hWndAfter);
};

void AfxEnableControlContainer(COccManager* pOccManager = nullptr);
// The class id written as "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
bool AfxParseClassId(const char* text, CLSID& clsid);

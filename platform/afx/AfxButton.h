// The framework's image button and its window class "MfcButton".
#pragma once

#include "afx/AfxWnd.h"

class CMFCButton : public CWnd {
  DECLARE_DYNCREATE(CMFCButton)

 public:
  CMFCButton() = default;
  BOOL m_bTransparent = FALSE;
  BOOL m_bDrawFocus = TRUE;
};

// Registers the framework's control classes the dialog templates name.
void AfxRegisterMFCCtrlClasses();

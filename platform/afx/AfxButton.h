// The framework's image button and its window class "MfcButton".
#pragma once

#include "afx/AfxString.h"
#include "afx/AfxWnd.h"

namespace Gdiplus {
class Image;
}

// The framework's message that carries a control's settings from the
// dialog's initialisation data.
#define WM_MFC_INITCTRL 0x037C

class CMFCButton : public CWnd {
  DECLARE_DYNCREATE(CMFCButton)

 public:
  CMFCButton() = default;
  ~CMFCButton() override;

  BOOL m_bTransparent = FALSE;
  BOOL m_bDrawFocus = TRUE;

  // Normal, hot and disabled images by resource id; each id names a PNG
  // resource or, when there is none, a bitmap.
  void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
  void SetTooltip(LPCSTR lpszToolTipText) { m_strToolTip = lpszToolTipText ? lpszToolTipText : ""; }
  const CString& GetToolTip() const { return m_strToolTip; }
  BOOL IsFullTextToolTip() const { return m_bFullTextTooltip; }
  BOOL IsHighlighted() const { return m_bHighlighted; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  void TrackHover(bool inside);
  void ApplySettings(const WCHAR* text);
  void ReleaseImages();

  Gdiplus::Image* m_pImages[3] = {nullptr, nullptr, nullptr};  // normal, hot, disabled
  CString m_strToolTip;
  BOOL m_bFullTextTooltip = FALSE;
  BOOL m_bHighlighted = FALSE;
};

// Registers the framework's control classes the dialog templates name.
void AfxRegisterMFCCtrlClasses();

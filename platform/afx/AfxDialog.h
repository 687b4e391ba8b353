// CDialog, CDialogEx and dialog data exchange.
#pragma once

#include "afx/AfxWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  virtual INT_PTR DoModal();
  // Creates the dialog modeless from its template.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int nResult);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
  BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageA(m_hWnd, lpMsg); }
  BOOL PreTranslateInput(LPMSG lpMsg);
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }

  UINT m_nIDHelp = 0;
  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // Creates the window from the template: OLE control items are taken out
  // and given to the control-container manager when the dialog initialises.
  BOOL CreateDlgIndirect(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hInst);
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  HWND PreModal();
  // Sends the template's initialisation data to the dialog's controls; data
  // for the framework's own controls waits until they are bound to their
  // objects.
  BOOL ExecuteDlgInit(UINT nIDTemplate);
  friend void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
  void SendControlSettings(int nIDC, CWnd& rControl);

  DECLARE_MESSAGE_MAP()

 private:
  struct TemplateParts;
  TemplateParts* m_pTemplateParts = nullptr;
};

class CDialogEx : public CDialog {
  DECLARE_DYNAMIC(CDialogEx)

 public:
  explicit CDialogEx(UINT nIDTemplate, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}

 protected:
  DECLARE_MESSAGE_MAP()
};

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND PrepareCtrl(int nIDC);
  void Fail();
};

// Binds a dialog control to a window object (subclassing it on the first exchange).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

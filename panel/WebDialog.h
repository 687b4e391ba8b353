// CWebDialog: the borderless, colour-keyed panel with the server list.
#pragma once

#include "browser/Explorer1.h"
#include "framework.h"

class CWebDialog : public CDialogEx {
 public:
  explicit CWebDialog(CWnd* pParent = nullptr);

  COLORREF m_clrKey;
  CBrush m_brKey;
  CExplorer1 m_browser;

  // Lets the update provider finish, check and start an update.
  void RunUpdateStep();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnLButtonDown(UINT nFlags, CPoint point);
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnPaint();

  DECLARE_MESSAGE_MAP()
};

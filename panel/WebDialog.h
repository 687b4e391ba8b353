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
  CMFCButton m_btnQuit;
  CMFCButton m_btnMinimizeMain;
  CMFCButton m_linkService;
  CMFCButton m_linkForum;
  CMFCButton m_linkHome;
  CMFCButton m_linkPay;

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
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnMove(int x, int y);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnClose();
  void OnBnClickedQuit();
  void OnBnSetfocusQuit();
  void OnBnClickedMinimizeMain();
  void OnBnClickedLinkHome();
  void OnBnClickedLinkService();
  void OnBnClickedLinkForum();
  void OnBnClickedLinkPay();
  // The browser's NavigateComplete2: a game URL goes to the main window.
  void NavigateComplete2Explorer1(LPDISPATCH pDisp, VARIANT* URL);

  DECLARE_MESSAGE_MAP()
  DECLARE_EVENTSINK_MAP()
};

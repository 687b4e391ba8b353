// CLorvaneDlg: the launcher's main window, first the shaped frame under the
// server-list panel, then the game window.
#pragma once

#include "browser/Explorer1.h"
#include "framework.h"

class CLorvaneDlg : public CDialogEx {
 public:
  explicit CLorvaneDlg(CWnd* pParent = nullptr);

  HICON m_hIcon = nullptr;
  bool m_bInGame = false;
  CExplorer1 m_browser;
  HACCEL m_hAccel = nullptr;
  int m_nServerId = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnMove(int x, int y);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnSysCommand(UINT nID, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};

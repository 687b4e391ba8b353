// CLorvaneDlg: the launcher's main window, first the shaped frame under the
// server-list panel, then the game window.
#pragma once

#include "browser/Explorer1.h"
#include "framework.h"
#include "skin/SkinWin.h"

// The tray icon's callback message.
#define WM_TRAYNOTIFY 12345

class CLorvaneDlg : public CDialogEx {
 public:
  explicit CLorvaneDlg(CWnd* pParent = nullptr);

  HICON m_hIcon = nullptr;
  bool m_bInGame = false;
  CExplorer1 m_browser;
  HACCEL m_hAccel = nullptr;
  CSkinWin m_skin;
  NOTIFYICONDATAA m_nid{};
  int m_nServerId = 0;

  // Switches to game mode and loads the game URL; once only.
  void EnterGame(CString strUrl);
  // Pops up the command menu at the cursor.
  void ShowCommandMenu();
  // The boss key: the window goes, the tray icon comes.
  void HideToTray();

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
  void OnSize(UINT nType, int cx, int cy);
  void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
  void OnDestroy();
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void OnRefresh();
  void OnClearCache();
  void OnBossKey();

  DECLARE_MESSAGE_MAP()
};

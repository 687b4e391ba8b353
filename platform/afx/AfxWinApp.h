// CWinThread and CWinApp: the application object and its start-up.
#pragma once

#include "afx/AfxCmdTarget.h"
#include "afx/AfxState.h"
#include "afx/AfxWnd.h"

#define AFX_RESTART_MANAGER_SUPPORT_RESTART 0x01
#define ID_HELP 0xE146

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWnd* m_pMainWnd = nullptr;

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg) { return AfxPreTranslateMessage(pMsg); }
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszExeName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;
  DWORD m_dwRestartManagerSupportFlags = 0;

  BOOL InitInstance() override;
  int ExitInstance() override;
  virtual BOOL InitApplication() { return TRUE; }

  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCSTR lpszResourceName) const;
  // Names the registry key of the application's settings; nothing is stored.
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void OnHelp();

  // Fills the handles, the command line and the names (AfxWinMain).
  void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strAppName;
  CString m_strExeName;
  CString m_strRegistryKey;
};

class CShellManager : public CObject {
 public:
  CShellManager() = default;
  ~CShellManager() override = default;
};

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

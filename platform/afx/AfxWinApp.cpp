#include "AfxWinApp.h"

#include <cstring>
#include <string>

#include "desktop/Desktop.h"
#include "win32/CommandLine.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

int CWinThread::ExitInstance() { return 0; }

int CWinThread::Run() {
  for (;;) {
    if (!AfxPumpMessage()) return ExitInstance();
  }
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
  if (lpszAppName) {
    m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
  }
  AFX_MODULE_STATE* state = AfxGetModuleState();
  state->m_pCurrentWinApp = this;
  state->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp::~CWinApp() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  if (state->m_pCurrentWinApp == this) {
    state->m_pCurrentWinApp = nullptr;
    state->m_lpszCurrentAppName = nullptr;
  }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
  m_hInstance = hInstance;
  m_lpCmdLine = lpCmdLine;
  m_nCmdShow = nCmdShow;
  AFX_MODULE_STATE* state = AfxGetModuleState();
  state->m_hCurrentInstanceHandle = hInstance;
  state->m_hCurrentResourceHandle = hInstance;
  // Without an application title, the program's file name minus its
  // extension names the application.
  char path[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, n);
  size_t slash = file.find_last_of("/\\");
  if (slash != std::string::npos) file = file.substr(slash + 1);
  size_t dot = file.rfind('.');
  std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
  m_strExeName = stem.c_str();
  m_pszExeName = m_strExeName;
  if (!m_pszAppName) {
    m_strAppName = stem.c_str();
    m_pszAppName = m_strAppName;
  }
  state->m_lpszCurrentAppName = m_pszAppName;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
  return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey;
  m_pszRegistryKey = m_strRegistryKey;
  m_pszProfileName = m_pszAppName;
}

void CWinApp::OnHelp() {
  // The launcher ships no help file; the help command has nothing to show.
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
  if (!app->InitApplication()) return app->ExitInstance();
  if (!app->InitInstance()) {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}

// The framework's per-thread and per-module state.
#pragma once

#include "win32/Windows.h"

class CWnd;
class CWinApp;
class COccManager;

struct AFX_THREAD_STATE {
  MSG m_lastSentMsg{};      // the message being dispatched (CWnd::Default, GetCurrentMessage)
  MSG m_msgCur{};           // the message the message pump fetched last
  CWnd* m_pWndInit = nullptr;  // the window object being created
  HHOOK m_hHookOldCbtFilter = nullptr;
  int m_nDispatchDepth = 0;
};

struct AFX_MODULE_STATE {
  CWinApp* m_pCurrentWinApp = nullptr;
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;
  const char* m_lpszCurrentAppName = nullptr;
  COccManager* m_pOccManager = nullptr;
};

AFX_THREAD_STATE* AfxGetThreadState();
AFX_MODULE_STATE* AfxGetModuleState();
AFX_MODULE_STATE* AfxGetStaticModuleState();
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// Makes a module state current for a scope and puts the previous one back.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) : m_pPrevState(AfxSetModuleState(pNewState)) {}
  ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  AFX_MODULE_STATE* m_pPrevState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
const char* AfxGetAppName();

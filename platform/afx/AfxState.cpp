#include "AfxState.h"

#include "afx/AfxWinApp.h"

namespace {

thread_local AFX_THREAD_STATE t_threadState;
AFX_MODULE_STATE g_appModuleState;
AFX_MODULE_STATE* g_currentModuleState = &g_appModuleState;

}  // namespace

AFX_THREAD_STATE* AfxGetThreadState() { return &t_threadState; }

AFX_MODULE_STATE* AfxGetModuleState() { return g_currentModuleState; }

AFX_MODULE_STATE* AfxGetStaticModuleState() { return &g_appModuleState; }

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
  AFX_MODULE_STATE* previous = g_currentModuleState;
  g_currentModuleState = pNewState;
  return previous;
}

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWnd* AfxGetMainWnd() {
  CWinApp* app = AfxGetApp();
  return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  HINSTANCE h = AfxGetModuleState()->m_hCurrentInstanceHandle;
  return h ? h : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
  HINSTANCE h = AfxGetModuleState()->m_hCurrentResourceHandle;
  return h ? h : GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource; }

const char* AfxGetAppName() { return AfxGetModuleState()->m_lpszCurrentAppName; }

#include "AfxOcc.h"

#include <cstdio>

#include "afx/AfxException.h"
#include "afx/AfxState.h"
#include "win32/DialogTemplate.h"

namespace {

COccManager g_defaultManager;

}  // namespace

COleControlContainer* COccManager::CreateContainer(CWnd* pWnd) { return new COleControlContainer(pWnd); }

COleControlSite* COccManager::CreateSite(COleControlContainer* pCtrlCont) { return new COleControlSite(pCtrlCont); }

HWND COccManager::CreateDlgControl(CWnd* pDialog, const winsim::DialogItemTemplate& item, int baseX, int baseY,
                                   HWND hWndAfter) {
  CLSID clsid;
  if (!AfxParseClassId(item.className.c_str(), clsid)) return nullptr;
  if (!pDialog->m_pCtrlCont) pDialog->m_pCtrlCont = CreateContainer(pDialog);
  COleControlSite* pSite = CreateSite(pDialog->m_pCtrlCont);
  if (!pSite) return nullptr;
  int x = MulDiv(item.x, baseX, 4);
  int y = MulDiv(item.y, baseY, 8);
  CRect rect(x, y, x + MulDiv(item.cx, baseX, 4), y + MulDiv(item.cy, baseY, 8));
  if (FAILED(pSite->CreateControl(nullptr, clsid, nullptr, item.style | WS_CHILD, &rect, item.id))) {
    delete pSite;
    return nullptr;
  }
  pDialog->m_pCtrlCont->AddSite(pSite);
  ::SetWindowPos(pSite->m_hWnd, hWndAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return pSite->m_hWnd;
}

void AfxEnableControlContainer(COccManager* pOccManager) {
  AfxGetModuleState()->m_pOccManager = pOccManager ? pOccManager : &g_defaultManager;
}

bool AfxParseClassId(const char* text, CLSID& clsid) {
  unsigned d1, d2, d3, b[8];
  char close = 0;
  int n = std::sscanf(text, "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%c", &d1, &d2, &d3, &b[0], &b[1], &b[2], &b[3],
                      &b[4], &b[5], &b[6], &b[7], &close);
  if (n != 12 || close != '}') return false;
  clsid.Data1 = d1;
  clsid.Data2 = static_cast<WORD>(d2);
  clsid.Data3 = static_cast<WORD>(d3);
  for (int i = 0; i < 8; ++i) clsid.Data4[i] = static_cast<BYTE>(b[i]);
  return true;
}

void CWnd::InvokeHelper(LONG dwDispID, WORD wFlags, unsigned short vtRet, void* pvRet, const BYTE* pbParamInfo, ...) {
  // A window without a hosted control has nothing to call.
  if (!m_pCtrlSite) AfxThrowOleException(E_FAIL);
  va_list args;
  va_start(args, pbParamInfo);
  try {
    m_pCtrlSite->InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}

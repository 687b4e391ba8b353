#include "AfxOcc.h"

#include "afx/AfxState.h"
#include "win32/CodePage.h"
#include "win32/DialogTemplate.h"
#include "win32/Unsupported.h"

namespace {

// Until a control is really hosted, its place in the dialog is held by a
// plain child window that carries the control's id and class id.
const char kHostClass[] = "AfxOleControl";

void RegisterHostClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA cls{};
  cls.lpfnWndProc = ::DefWindowProcA;
  cls.lpszClassName = kHostClass;
  ::RegisterClassA(&cls);
  registered = true;
}

COccManager g_defaultManager;

}  // namespace

HWND COccManager::CreateDlgControl(CWnd* pDialog, const winsim::DialogItemTemplate& item, int baseX, int baseY,
                                   HWND hWndAfter) {
  RegisterHostClass();
  int x = MulDiv(item.x, baseX, 4);
  int y = MulDiv(item.y, baseY, 8);
  HWND hWnd = ::CreateWindowExA(item.exStyle, kHostClass, item.className.c_str(), item.style | WS_CHILD, x, y,
                                MulDiv(item.cx, baseX, 4), MulDiv(item.cy, baseY, 8), pDialog->m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), AfxGetInstanceHandle(),
                                nullptr);
  if (hWnd) ::SetWindowPos(hWnd, hWndAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return hWnd;
}

void AfxEnableControlContainer(COccManager* pOccManager) {
  AfxGetModuleState()->m_pOccManager = pOccManager ? pOccManager : &g_defaultManager;
}

void CWnd::InvokeHelper(LONG, WORD, unsigned short, void*, const BYTE*, ...) {
  WINSIM_UNSUPPORTED("automation on a hosted control");
}

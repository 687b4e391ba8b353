#include "AfxWnd.h"

#include <cstdio>
#include <map>
#include <memory>

#include "afx/AfxException.h"
#include "afx/AfxOleSite.h"
#include "afx/AfxState.h"
#include "afx/AfxWinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

struct HandleMaps {
  std::map<HWND, CWnd*> permanent;
  std::map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMaps& Maps() {
  static thread_local HandleMaps maps;
  return maps;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* state = AfxGetThreadState();
  if (code == HCBT_CREATEWND && state->m_pWndInit) {
    CWnd* pWnd = state->m_pWndInit;
    state->m_pWndInit = nullptr;
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    pWnd->Attach(hWnd);
    pWnd->PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *pWnd->GetSuperWndProcAddr() = old;
  }
  return CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

// A style change, with SetWindowPos's flags applied when some are given.
BOOL ModifyWindowLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
  DWORD updated = (style & ~dwRemove) | dwAdd;
  if (style == updated) return FALSE;
  ::SetWindowLongA(hWnd, index, static_cast<LONG_PTR>(updated));
  if (nFlags) {
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  }
  return TRUE;
}

}  // namespace

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  typedef CWnd ThisClass;
  static_assert(sizeof(ThisClass) > 0);
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // A window object going away takes its window with it.
    if (::IsWindow(m_hWnd)) {
      ::DestroyWindow(m_hWnd);
    } else {
      Detach();
    }
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  auto it = Maps().permanent.find(hWnd);
  return it == Maps().permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  auto& slot = Maps().temporary[hWnd];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = hWnd;
  }
  return slot.get();
}

void CWnd::DeleteTempMap() {
  for (auto& [h, p] : Maps().temporary) p->m_hWnd = nullptr;
  Maps().temporary.clear();
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew) return FALSE;
  m_hWnd = hWndNew;
  Maps().permanent[hWndNew] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) Maps().permanent.erase(h);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) *GetSuperWndProcAddr() = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  ::SetWindowLongA(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(*GetSuperWndProcAddr()));
  *GetSuperWndProcAddr() = nullptr;
  return Detach();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent,
                                nIDorHMenu, AfxGetInstanceHandle(), lpParam);
  AfxUnhookWindowCreate();
  return hWnd != nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 1;
    return TRUE;
  }
  UINT key = message;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) key = WM_CTLCOLOR;
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(key, 0, 0);
  if (!e) return FALSE;
  LRESULT result = 0;
  if (!e->pfn(this, message, wParam, lParam, &result)) return FALSE;
  *pResult = result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  UINT nID = LOWORD(wParam);
  int nCode = HIWORD(wParam);
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }


LRESULT CWnd::Default() {
  const MSG& m = AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetThreadState()->m_lastSentMsg; }

void CWnd::OnNcDestroy() {
  // The controls' windows are gone by now; their sites go with the container.
  delete m_pCtrlCont;
  m_pCtrlCont = nullptr;
  m_pCtrlSite = nullptr;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  HWND hWnd = m_hWnd;
  if (hWnd && reinterpret_cast<WNDPROC>(::GetWindowLongA(hWnd, GWL_WNDPROC)) == &AfxWndProc && m_pfnSuper) {
    ::SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  Detach();
  PostNcDestroy();
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  m_nFlags |= WF_MODALLOOP;
  bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWnd = m_hWnd;
  while (ContinueModal()) {
    MSG peek;
    if (showOnIdle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      ShowWindow(SW_SHOWNORMAL);
      UpdateWindow();
      showOnIdle = false;
      continue;
    }
    if (!AfxPumpMessage()) {
      PostQuitMessage(0);
      return -1;
    }
    if (!::IsWindow(hWnd)) break;
  }
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL);
  }
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ScreenToClient(LPRECT r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
  int n = GetWindowTextLength();
  char* buffer = rString.GetBufferSetLength(n + 1);
  ::GetWindowTextA(m_hWnd, buffer, n + 1);
  rString.ReleaseBuffer();
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }

// What the framework does with an exception that a handler let escape: a
// window being created fails, a paint is taken as done, and anything else is
// reported to the user.
LRESULT AfxProcessWndProcException(CException* e, UINT nMsg, HWND hWnd) {
  if (nMsg == WM_CREATE) return -1;
  if (nMsg == WM_PAINT) {
    ::ValidateRect(hWnd, nullptr);
    return 0;
  }
  e->ReportError(MB_ICONEXCLAMATION);
  return 0;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* state = AfxGetThreadState();
  MSG saved = state->m_lastSentMsg;
  state->m_lastSentMsg.hwnd = hWnd;
  state->m_lastSentMsg.message = nMsg;
  state->m_lastSentMsg.wParam = wParam;
  state->m_lastSentMsg.lParam = lParam;
  ++state->m_nDispatchDepth;
  LRESULT result = 0;
  try {
    result = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    result = AfxProcessWndProcException(e, nMsg, hWnd);
    e->Delete();
  }
  if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) pWnd->OnNcDestroy();
  --state->m_nDispatchDepth;
  state->m_lastSentMsg = saved;
  return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd) {
  AFX_THREAD_STATE* state = AfxGetThreadState();
  if (!state->m_hHookOldCbtFilter) {
    state->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
  }
  state->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  AFX_THREAD_STATE* state = AfxGetThreadState();
  if (state->m_hHookOldCbtFilter) {
    ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
    state->m_hHookOldCbtFilter = nullptr;
  }
  if (state->m_pWndInit) {
    state->m_pWndInit = nullptr;
    return FALSE;
  }
  return TRUE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  CWnd* pMainWnd = AfxGetMainWnd();
  if (CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : nullptr, pMsg)) return TRUE;
  // Messages of other top-level windows still pass the main window's filter.
  if (pMainWnd && pMsg->hwnd) {
    HWND top = ::GetAncestor(pMsg->hwnd, GA_ROOT);
    HWND walked = top;
    while (walked && walked != pMainWnd->m_hWnd) walked = ::GetParent(walked);
    if (!walked) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL AfxPumpMessage() {
  AFX_THREAD_STATE* state = AfxGetThreadState();
  MSG& msg = state->m_msgCur;
  if (!::GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  if (state->m_nDispatchDepth == 0) {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
  }
  return TRUE;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  CWnd* pMainWnd = AfxGetMainWnd();
  return ::MessageBoxA(pMainWnd ? pMainWnd->m_hWnd : nullptr, lpszText, AfxGetAppName(), nType);
}

#include "AfxDialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "afx/AfxButton.h"
#include "afx/AfxOcc.h"
#include "afx/AfxState.h"
#include "afx/AfxWinApp.h"
#include "win32/Dialog.h"
#include "win32/DialogTemplate.h"
#include "win32/Window.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

// What the dialog keeps of its template for its initialisation: the OLE
// control items and the settings of the framework's own controls.
struct CDialog::TemplateParts {
  std::map<int, std::u16string> controlSettings;  // WM_MFC_INITCTRL data by control id
  std::vector<winsim::DialogItemTemplate> items;
  std::vector<int> previousIds;  // the id of the ordinary control each one follows in the template (0: first)
  int baseX = 8;
  int baseY = 16;
};

namespace {

bool IsOleControlItem(const winsim::DialogItemTemplate& item) {
  return !item.className.empty() && item.className.front() == '{';
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  return pDlg ? pDlg->OnInitDialog() : TRUE;
}

const void* LoadTemplate(HINSTANCE hInst, UINT nIDTemplate) {
  HRSRC res = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDTemplate), RT_DIALOG);
  if (!res) return nullptr;
  return ::LockResource(::LoadResource(hInst, res));
}

// After WM_INITDIALOG the framework centres a dialog over its owner when the
// initialisation left its place alone: it is still hidden, it is not a child,
// it was not moved, and its owner is disabled (a modal run) or absent.
// Otherwise the dialog stays where its template put it.
void CentreIfUnplaced(HWND hWnd, const RECT& before, bool wasVisible) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
  if (wasVisible || (style & (WS_VISIBLE | WS_CHILD))) return;
  RECT after;
  ::GetWindowRect(hWnd, &after);
  if (!::EqualRect(&before, &after)) return;
  HWND owner = ::GetWindow(hWnd, GW_OWNER);
  if (owner && ::IsWindowEnabled(owner)) return;
  POINT at = winsim::CentredPosition(owner, {after.right - after.left, after.bottom - after.top});
  ::SetWindowPos(hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  delete m_pTemplateParts;
  if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CDialog::CreateDlgIndirect(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  AfxRegisterMFCCtrlClasses();
  const void* data = LoadTemplate(hInst, nIDTemplate);
  winsim::DialogTemplateData t;
  if (!data || !winsim::ParseDialogTemplate(data, 0, t)) return FALSE;
  delete m_pTemplateParts;
  m_pTemplateParts = new TemplateParts();
  winsim::DialogBaseUnits(t.pointSize, (t.style & DS_SETFONT) != 0, m_pTemplateParts->baseX, m_pTemplateParts->baseY);
  std::vector<winsim::DialogItemTemplate> plain;
  for (const winsim::DialogItemTemplate& item : t.items) {
    if (IsOleControlItem(item)) {
      m_pTemplateParts->items.push_back(item);
      m_pTemplateParts->previousIds.push_back(plain.empty() ? 0 : static_cast<int>(plain.back().id));
    } else {
      plain.push_back(item);
    }
  }
  t.items = plain;
  std::vector<unsigned char> bytes = winsim::BuildDialogTemplate(t);
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                           pParentWnd ? pParentWnd->m_hWnd : nullptr, AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  if (winsim::Window* w = winsim::FindWindowObject(hWnd)) w->templateId = static_cast<int>(nIDTemplate);
  return hWnd != nullptr;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  COccManager* occ = AfxGetModuleState()->m_pOccManager;
  if (m_pTemplateParts && !m_pTemplateParts->items.empty()) {
    for (size_t i = 0; i < m_pTemplateParts->items.size(); ++i) {
      const winsim::DialogItemTemplate& item = m_pTemplateParts->items[i];
      if (!occ) continue;  // without control containment there is nothing to host them
      HWND after = m_pTemplateParts->previousIds[i] ? ::GetDlgItem(m_hWnd, m_pTemplateParts->previousIds[i]) : HWND_TOP;
      occ->CreateDlgControl(this, item, m_pTemplateParts->baseX, m_pTemplateParts->baseY, after);
    }
  }
  RECT before;
  ::GetWindowRect(m_hWnd, &before);
  const bool wasVisible = (GetStyle() & WS_VISIBLE) != 0;
  HWND hWnd = m_hWnd;
  LRESULT result = Default();
  if (::IsWindow(hWnd)) CentreIfUnplaced(hWnd, before, wasVisible);
  return result;
}

HWND CDialog::PreModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    if (main && main != this && main->m_hWnd) parent = main->m_hWnd;
  }
  return parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND parent = PreModal();
  bool enableParent = parent && ::IsWindowEnabled(parent);
  if (enableParent) ::EnableWindow(parent, FALSE);
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  if (CreateDlgIndirect(m_nIDTemplate, CWnd::FromHandle(parent), AfxGetResourceHandle()) && ContinueModal()) {
    DWORD flags = MLF_SHOWONIDLE;
    if (GetStyle() & DS_NOIDLEMSG) flags |= MLF_NOIDLEMSG;
    RunModalLoop(flags);
  }
  m_nFlags &= ~WF_CONTINUEMODAL;
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (enableParent) {
    ::EnableWindow(parent, TRUE);
    if (::IsWindow(parent) && ::IsWindowVisible(parent)) ::SetActiveWindow(parent);
  }
  if (m_hWnd) DestroyWindow();
  return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  m_nIDHelp = nIDTemplate;
  if (!pParentWnd) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(nIDTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::OnInitDialog() {
  ExecuteDlgInit(m_nIDTemplate);
  if (!UpdateData(FALSE)) return FALSE;
  return TRUE;
}

BOOL CDialog::ExecuteDlgInit(UINT nIDTemplate) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(nIDTemplate), RT_DLGINIT);
  if (!res) return TRUE;
  const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(module, res)));
  DWORD size = ::SizeofResource(module, res);
  for (DWORD at = 0; at + 8 <= size;) {
    WORD id, message;
    DWORD length;
    std::memcpy(&id, data + at, 2);
    std::memcpy(&message, data + at + 2, 2);
    std::memcpy(&length, data + at + 4, 4);
    if (id == 0 || at + 8 + length > size) break;
    const unsigned char* payload = data + at + 8;
    if (message == WM_MFC_INITCTRL && m_pTemplateParts) {
      m_pTemplateParts->controlSettings[id] =
          std::u16string(reinterpret_cast<const char16_t*>(payload), length / sizeof(char16_t));
    } else {
      ::SendDlgItemMessageA(m_hWnd, id, message, 0, reinterpret_cast<LPARAM>(payload));
    }
    at += 8 + length;
  }
  return TRUE;
}

void CDialog::SendControlSettings(int nIDC, CWnd& rControl) {
  if (!m_pTemplateParts) return;
  auto it = m_pTemplateParts->controlSettings.find(nIDC);
  if (it == m_pTemplateParts->controlSettings.end()) return;
  rControl.SendMessage(WM_MFC_INITCTRL, 0, reinterpret_cast<LPARAM>(it->second.c_str()));
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateInput(LPMSG lpMsg) {
  bool key = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
  bool mouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  return IsDialogMessage(lpMsg);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // Commands nobody in the dialog handles go on to the application.
  CWinApp* app = AfxGetApp();
  return (nCode == CN_COMMAND && app) ? app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (!hWndCtrl) Fail();
  return hWndCtrl;
}

void CDataExchange::Fail() {
  std::fprintf(stderr, "framework: data exchange failed: a control the dialog binds is missing\n");
  std::abort();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  rControl.SubclassWindow(hWndCtrl);
  if (CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, pDX->m_pDlgWnd)) pDialog->SendControlSettings(nIDC, rControl);
  // A hosted OLE control's window object drives the control through its site.
  if (COleControlContainer* pCont = pDX->m_pDlgWnd->m_pCtrlCont) {
    if (COleControlSite* pSite = pCont->FindSite(hWndCtrl)) {
      rControl.m_pCtrlSite = pSite;
      pSite->m_pWndCtrl = &rControl;
    }
  }
}

#include "panel/WebDialog.h"

#include "launcher/LorvaneApp.h"
#include "launcher/LorvaneDlg.h"
#include "launcher/Resource.h"

namespace {

constexpr WPARAM kMoveByCaption = 0xF012;
typedef BOOL(WINAPI* PFN_SET_LAYERED_WINDOW_ATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

}  // namespace

BEGIN_MESSAGE_MAP(CWebDialog, CDialogEx)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CWebDialog::CWebDialog(CWnd* pParent) : CDialogEx(IDD_WEB_DIALOG, pParent), m_clrKey(RGB(1, 1, 1)) {}

void CWebDialog::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EXPLORER, m_browser);
}

int CWebDialog::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CDialogEx::OnCreate(lpCreateStruct) == -1) return -1;
  ModifyStyle(WS_CAPTION, WS_POPUP);
  return 0;
}

BOOL CWebDialog::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_brKey.CreateSolidBrush(m_clrKey);
  ModifyStyleEx(0, WS_EX_LAYERED);
  HMODULE hUser32 = LoadLibraryA("User32.DLL");
  if (hUser32) {
    auto pfnSetLayered = reinterpret_cast<PFN_SET_LAYERED_WINDOW_ATTRIBUTES>(
        GetProcAddress(hUser32, "SetLayeredWindowAttributes"));
    if (pfnSetLayered) pfnSetLayered(m_hWnd, m_clrKey, 0, LWA_COLORKEY);
    FreeLibrary(hUser32);
  }
  RunUpdateStep();
  return TRUE;
}

void CWebDialog::OnLButtonDown(UINT nFlags, CPoint point) {
  SendMessage(WM_SYSCOMMAND, kMoveByCaption, 0);
  CDialogEx::OnLButtonDown(nFlags, point);
}

HBRUSH CWebDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_DLG) return static_cast<HBRUSH>(m_brKey.GetSafeHandle());
  return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CWebDialog::OnPaint() { CPaintDC dc(this); }

void CWebDialog::OnOK() {}

void CWebDialog::OnCancel() {
  if (theApp.m_pMainDlg) theApp.m_pMainDlg->OnCancel();
}

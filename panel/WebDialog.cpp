#include "panel/WebDialog.h"

#include "launcher/Endpoints.h"
#include "launcher/LorvaneApp.h"
#include "launcher/LorvaneDlg.h"
#include "launcher/Resource.h"
#include "panel/HandOver.h"

namespace {

constexpr WPARAM kMoveByCaption = 0xF012;
constexpr DISPID kDispNavigateComplete2 = 252;
typedef BOOL(WINAPI* PFN_SET_LAYERED_WINDOW_ATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

struct ButtonLayout {
  CMFCButton CWebDialog::*member;
  UINT normal, hot, disabled;
  int left, top, width, height;
};

// The panel's buttons, in the order they are set up, with their images and
// their places over the frame image's artwork.
const ButtonLayout kButtons[] = {
    {&CWebDialog::m_btnQuit, 168, 169, 170, 1150, 297, 26, 26},
    {&CWebDialog::m_btnMinimizeMain, 171, 172, 173, 1122, 297, 26, 26},
    {&CWebDialog::m_linkService, 174, 175, 176, 964, 335, 105, 37},
    {&CWebDialog::m_linkForum, 177, 178, 179, 1073, 335, 105, 37},
    {&CWebDialog::m_linkHome, 183, 184, 185, 562, 335, 105, 37},
    {&CWebDialog::m_linkPay, 180, 181, 182, 668, 335, 105, 37},
};

constexpr RECT kBrowserRect{575, 385, 575 + 600, 385 + 332};

void OpenInDefaultBrowser(const char* url) { ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL); }

}  // namespace

BEGIN_MESSAGE_MAP(CWebDialog, CDialogEx)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
  ON_WM_PAINT()
  ON_WM_SYSCOMMAND()
  ON_WM_MOVE()
  ON_WM_SHOWWINDOW()
  ON_WM_CLOSE()
  ON_BN_CLICKED(IDC_BTN_QUIT, &CWebDialog::OnBnClickedQuit)
  ON_BN_SETFOCUS(IDC_BTN_QUIT, &CWebDialog::OnBnSetfocusQuit)
  ON_BN_CLICKED(IDC_BTN_MINIMIZE, &CWebDialog::OnBnClickedMinimizeMain)
  ON_BN_CLICKED(IDC_LINK_HOME, &CWebDialog::OnBnClickedLinkHome)
  ON_BN_CLICKED(IDC_LINK_SERVICE, &CWebDialog::OnBnClickedLinkService)
  ON_BN_CLICKED(IDC_LINK_FORUM, &CWebDialog::OnBnClickedLinkForum)
  ON_BN_CLICKED(IDC_LINK_PAY, &CWebDialog::OnBnClickedLinkPay)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CWebDialog, CDialogEx)
  ON_EVENT(CWebDialog, IDC_EXPLORER, kDispNavigateComplete2, CWebDialog::NavigateComplete2Explorer1,
           VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

CWebDialog::CWebDialog(CWnd* pParent) : CDialogEx(IDD_WEB_DIALOG, pParent), m_clrKey(RGB(1, 1, 1)) {}

void CWebDialog::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EXPLORER, m_browser);
  DDX_Control(pDX, IDC_BTN_QUIT, m_btnQuit);
  DDX_Control(pDX, IDC_BTN_MINIMIZE, m_btnMinimizeMain);
  DDX_Control(pDX, IDC_LINK_SERVICE, m_linkService);
  DDX_Control(pDX, IDC_LINK_FORUM, m_linkForum);
  DDX_Control(pDX, IDC_LINK_HOME, m_linkHome);
  DDX_Control(pDX, IDC_LINK_PAY, m_linkPay);
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
  for (const ButtonLayout& b : kButtons) {
    CMFCButton& button = this->*b.member;
    button.m_bTransparent = TRUE;
    button.m_bDrawFocus = FALSE;
    button.SetImage(b.normal, b.hot, b.disabled);
    button.SetWindowPos(nullptr, b.left, b.top, b.width, b.height, 0);
  }
  m_browser.put_Silent(TRUE);
  m_browser.SetWindowPos(nullptr, kBrowserRect.left, kBrowserRect.top, kBrowserRect.right - kBrowserRect.left,
                         kBrowserRect.bottom - kBrowserRect.top, 0);
  m_browser.Navigate(kStartPageUrl, nullptr, nullptr, nullptr, nullptr);
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

void CWebDialog::OnSysCommand(UINT nID, LPARAM lParam) { CDialogEx::OnSysCommand(nID, lParam); }

void CWebDialog::OnMove(int x, int y) { CDialogEx::OnMove(x, y); }

void CWebDialog::OnShowWindow(BOOL bShow, UINT nStatus) { CDialogEx::OnShowWindow(bShow, nStatus); }

void CWebDialog::OnClose() { CDialogEx::OnClose(); }

void CWebDialog::OnOK() {}

void CWebDialog::OnCancel() {
  if (theApp.m_pMainDlg) theApp.m_pMainDlg->OnCancel();
}

void CWebDialog::OnBnClickedQuit() { OnCancel(); }

void CWebDialog::OnBnSetfocusQuit() { SetFocus(); }

void CWebDialog::OnBnClickedMinimizeMain() {
  if (theApp.m_pMainDlg) theApp.m_pMainDlg->ShowWindow(SW_SHOWMINIMIZED);
}

void CWebDialog::OnBnClickedLinkHome() { OpenInDefaultBrowser(kHomePageUrl); }

void CWebDialog::OnBnClickedLinkService() { OpenInDefaultBrowser(kServiceUrl); }

void CWebDialog::OnBnClickedLinkForum() { OpenInDefaultBrowser(kForumUrl); }

void CWebDialog::OnBnClickedLinkPay() { OpenInDefaultBrowser(kPayUrl); }

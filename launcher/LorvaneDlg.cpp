#include "launcher/LorvaneDlg.h"

#include "launcher/LorvaneApp.h"
#include "launcher/Resource.h"
#include "panel/WebDialog.h"

namespace {

constexpr int kFrameOffsetLeft = 230;
constexpr int kFrameOffsetUp = 170;
constexpr int kPanelOffset = 3;
constexpr int kMinTrackWidth = 958;
constexpr int kMinTrackHeight = 576;
constexpr WPARAM kMoveByCaption = 0xF012;

}  // namespace

BEGIN_MESSAGE_MAP(CLorvaneDlg, CDialogEx)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_MOVE()
  ON_WM_GETMINMAXINFO()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CLorvaneDlg::CLorvaneDlg(CWnd* pParent) : CDialogEx(IDD_LORVANE_DIALOG, pParent) {
  m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CLorvaneDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EXPLORER, m_browser);
}

int CLorvaneDlg::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  ModifyStyle(WS_CAPTION, WS_POPUP);
  MoveWindow(0, 0, theApp.m_nFrameWidth, theApp.m_nFrameHeight);
  CRect rcClient;
  GetClientRect(&rcClient);
  CRect rcOuter(0, 0, rcClient.Width(), rcClient.Height());
  AdjustWindowRect(&rcOuter, GetStyle(), FALSE);
  RECT rcWork;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  int x = (rcWork.right - rcWork.left - rcOuter.Width()) / 2 + rcWork.left;
  int y = (rcWork.bottom - rcWork.top - rcOuter.Height()) / 2 + rcWork.top;
  if (CDialogEx::OnCreate(lpCreateStruct) == -1) return -1;
  MoveWindow(x - kFrameOffsetLeft, y - kFrameOffsetUp, theApp.m_nFrameWidth, theApp.m_nFrameHeight);
  return 0;
}

BOOL CLorvaneDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  theApp.PaintLayeredFrame(theApp.m_pFrameImage, theApp.m_nFrameWidth, theApp.m_nFrameHeight, m_hWnd);
  theApp.m_pWebDlg = new CWebDialog(this);
  theApp.m_pWebDlg->Create(IDD_WEB_DIALOG, this);
  theApp.m_pWebDlg->MoveWindow(rcWindow.left + kPanelOffset, rcWindow.top, theApp.m_nFrameWidth,
                               theApp.m_nFrameHeight);
  theApp.m_pWebDlg->ShowWindow(SW_SHOW);
  ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

void CLorvaneDlg::OnPaint() {
  if (!IsIconic()) {
    CDialogEx::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  int cxIcon = GetSystemMetrics(SM_CXICON);
  int cyIcon = GetSystemMetrics(SM_CYICON);
  CRect rect;
  GetClientRect(&rect);
  int x = (rect.Width() - cxIcon + 1) / 2;
  int y = (rect.Height() - cyIcon + 1) / 2;
  DrawIconEx(dc.GetSafeHdc(), x, y, m_hIcon, cxIcon, cyIcon, 0, nullptr, DI_NORMAL);
}

HCURSOR CLorvaneDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CLorvaneDlg::OnMove(int x, int y) {
  if (theApp.m_pWebDlg) {
    theApp.m_pWebDlg->SetWindowPos(nullptr, x, y - kPanelOffset, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  CDialogEx::OnMove(x, y);
}

void CLorvaneDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  if (lpMMI->ptMinTrackSize.x < kMinTrackWidth) lpMMI->ptMinTrackSize.x = kMinTrackWidth;
  if (lpMMI->ptMinTrackSize.y < kMinTrackHeight) lpMMI->ptMinTrackSize.y = kMinTrackHeight;
  CDialogEx::OnGetMinMaxInfo(lpMMI);
}

BOOL CLorvaneDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CLorvaneDlg::OnLButtonDown(UINT nFlags, CPoint point) {
  SendMessage(WM_SYSCOMMAND, kMoveByCaption, 0);
  CDialogEx::OnLButtonDown(nFlags, point);
}

void CLorvaneDlg::OnSysCommand(UINT nID, LPARAM lParam) { CDialogEx::OnSysCommand(nID, lParam); }

BOOL CLorvaneDlg::PreTranslateMessage(MSG* pMsg) {
  if (m_hAccel && TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg)) return TRUE;
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) return FALSE;
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CLorvaneDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == ID_REFRESH_ACCEL) m_browser.Refresh();
  return CDialogEx::OnCommand(wParam, lParam);
}

void CLorvaneDlg::OnOK() {}

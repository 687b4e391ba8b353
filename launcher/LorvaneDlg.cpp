#include "launcher/LorvaneDlg.h"

#include <cstdlib>
#include <cstring>

#include "launcher/BrowserCache.h"
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
constexpr int kGameWidth = 1280;
constexpr int kGameHeight = 800;
constexpr UINT kTrayIconId = 128;
constexpr DWORD kTrayRecordSize = 508;  // the full ANSI record
constexpr int kBossKeyId = 1001;
constexpr UINT kCmdRefresh = 10000;
constexpr UINT kCmdClearCache = 10001;
constexpr UINT kCmdBossKey = 10002;
const char kServerIdKey[] = "&server_id=";
// The number starts one character after the key's "=", which is never part
// of the number.
constexpr int kServerIdOffset = 12;

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
  ON_WM_SIZE()
  ON_WM_HOTKEY()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_TRAYNOTIFY, &CLorvaneDlg::OnTrayNotify)
  ON_COMMAND(kCmdRefresh, &CLorvaneDlg::OnRefresh)
  ON_COMMAND(kCmdClearCache, &CLorvaneDlg::OnClearCache)
  ON_COMMAND(kCmdBossKey, &CLorvaneDlg::OnBossKey)
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

void CLorvaneDlg::OnSize(UINT nType, int cx, int cy) {
  CDialogEx::OnSize(nType, cx, cy);
  if (m_bInGame) {
    CRect rcClient;
    GetClientRect(&rcClient);
    m_browser.SetWindowPos(nullptr, 0, 0, rcClient.right, rcClient.bottom, SWP_NOMOVE | SWP_NOZORDER);
  }
}

void CLorvaneDlg::EnterGame(CString strUrl) {
  if (m_bInGame) return;
  std::memset(&m_nid, 0, sizeof m_nid);
  m_nid.cbSize = kTrayRecordSize;
  m_nid.hWnd = m_hWnd;
  m_nid.uID = kTrayIconId;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_nid.uCallbackMessage = WM_TRAYNOTIFY;
  m_nid.hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));

  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
  m_hAccel = LoadAcceleratorsA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATOR));
  ModifyStyle(0, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  MoveWindow(0, 0, kGameWidth, kGameHeight);
  RegisterHotKey(m_hWnd, kBossKeyId, 0, VK_F11);

  int p = strUrl.Find(kServerIdKey);
  int q = strUrl.Find('&', p + 1);
  CString strNumber = strUrl.Mid(p + kServerIdOffset, q - p - kServerIdOffset);
  m_nServerId = std::atoi(strNumber);
  CString strTitle;
  strTitle.Format("Fenlow 《Duskmere》 双线%d服", m_nServerId);
  SetWindowText(strTitle);

  SetWindowLongA(m_hWnd, GWL_EXSTYLE, GetWindowLongA(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);
  m_bInGame = true;
  CRect rcClient;
  GetClientRect(&rcClient);
  m_browser.SetWindowPos(nullptr, 0, 0, rcClient.right, rcClient.bottom, SWP_NOMOVE | SWP_NOZORDER);

  m_skin.SetUpSkin();
  m_skin.AttachToWindow(this);
  m_skin.Zoom();
  m_browser.Navigate(strUrl, nullptr, nullptr, nullptr, nullptr);
  SetFocus();
}

void CLorvaneDlg::ShowCommandMenu() {
  POINT pt;
  GetCursorPos(&pt);
  HMENU hMenu = CreatePopupMenu();
  AppendMenuA(hMenu, MF_STRING, kCmdRefresh, "刷新(F5)");
  AppendMenuA(hMenu, MF_STRING, kCmdClearCache, "清理缓存");
  AppendMenuA(hMenu, MF_STRING, kCmdBossKey, "老板键(F11)");
  TrackPopupMenu(hMenu, TPM_LEFTALIGN, pt.x, pt.y, 0, m_hWnd, nullptr);
  DestroyMenu(hMenu);
}

void CLorvaneDlg::HideToTray() {
  std::strncpy(m_nid.szTip, "Duskmere", sizeof m_nid.szTip - 1);
  Shell_NotifyIconA(NIM_ADD, &m_nid);
  ShowWindow(SW_HIDE);
}

void CLorvaneDlg::OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2) {
  if (nHotKeyId == kBossKeyId) HideToTray();
  CDialogEx::OnHotKey(nHotKeyId, nKey1, nKey2);
}

LRESULT CLorvaneDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  if (wParam != kTrayIconId) return 1;
  if (lParam == WM_LBUTTONUP) {
    ShowWindow(SW_SHOWNORMAL);
    Shell_NotifyIconA(NIM_DELETE, &m_nid);
  } else if (lParam == WM_RBUTTONUP) {
    POINT pt;
    GetCursorPos(&pt);
    HMENU hMenu = CreatePopupMenu();
    AppendMenuA(hMenu, MF_STRING, IDCANCEL, "关闭");
    TrackPopupMenu(hMenu, TPM_LEFTALIGN, pt.x, pt.y, 0, m_hWnd, nullptr);
    DestroyMenu(hMenu);
  }
  return 0;
}

void CLorvaneDlg::OnDestroy() {
  Shell_NotifyIconA(NIM_DELETE, &m_nid);
  CDialogEx::OnDestroy();
}

void CLorvaneDlg::OnRefresh() { m_browser.Refresh(); }

void CLorvaneDlg::OnClearCache() { ClearBrowserCache(); }

void CLorvaneDlg::OnBossKey() { HideToTray(); }

#include "launcher/LorvaneApp.h"

#include "browser/CustomOccManager.h"
#include "browser/ImpIDispatch.h"
#include "images/ResourceImage.h"
#include "launcher/LorvaneDlg.h"
#include "launcher/Resource.h"

namespace {

ULONG_PTR g_gdiplusToken = 0;

}  // namespace

CLorvaneApp theApp;

BEGIN_MESSAGE_MAP(CLorvaneApp, CWinApp)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CLorvaneApp::CLorvaneApp() {
  m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
  m_pWebDlg = nullptr;
}

BOOL CLorvaneApp::InitInstance() {
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);

  CCustomOccManager* pOccManager = new CCustomOccManager();
  m_pDispatch = new CImpIDispatch();

  CWinApp::InitInstance();
  AfxEnableControlContainer(pOccManager);

  m_blend.BlendOp = AC_SRC_OVER;
  m_blend.BlendFlags = 0;
  m_blend.SourceConstantAlpha = 255;
  m_blend.AlphaFormat = AC_SRC_ALPHA;

  Gdiplus::GdiplusStartupInput gdiplusInput;
  GdiplusStartup(&g_gdiplusToken, &gdiplusInput, nullptr);
  m_pFrameImage = LoadResourceImage(IDB_FRAME_IMAGE, "PNG", nullptr);
  m_nFrameWidth = static_cast<int>(m_pFrameImage->GetWidth());
  m_nFrameHeight = static_cast<int>(m_pFrameImage->GetHeight());

  CShellManager* pShellManager = new CShellManager;
  SetRegistryKey("应用程序向导生成的本地应用程序");

  CLorvaneDlg dlg;
  m_pMainWnd = &dlg;
  m_pMainDlg = &dlg;
  dlg.DoModal();

  delete pShellManager;
  return FALSE;
}

int CLorvaneApp::ExitInstance() {
  delete m_pFrameImage;
  m_pFrameImage = nullptr;
  GdiplusShutdown(g_gdiplusToken);
  m_pDispatch->Release();
  return CWinApp::ExitInstance();
}

// CLorvaneApp: the application object, which owns what outlives a window.
#pragma once

#include "framework.h"

class CImpIDispatch;
class CLorvaneDlg;
class CWebDialog;

class CLorvaneApp : public CWinApp {
 public:
  CLorvaneApp();

  CImpIDispatch* m_pDispatch = nullptr;
  Gdiplus::Image* m_pFrameImage = nullptr;
  BLENDFUNCTION m_blend{};
  int m_nFrameWidth = 0;
  int m_nFrameHeight = 0;
  CLorvaneDlg* m_pMainDlg = nullptr;
  CWebDialog* m_pWebDlg = nullptr;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // The relay from the server-list panel to the main window.
  void HandOverGameUrl(CString strUrl);
  // Makes the window a per-pixel-alpha layered window showing the image.
  void PaintLayeredFrame(Gdiplus::Image* pImage, int nWidth, int nHeight, HWND hWnd);

  DECLARE_MESSAGE_MAP()
};

extern CLorvaneApp theApp;

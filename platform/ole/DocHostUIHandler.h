// IDocHostUIHandler: how a host tells the Web Browser control how to behave.
#pragma once

#include "ole/OleAuto.h"
#include "win32/WinUser.h"

struct IOleInPlaceActiveObject;
struct IOleCommandTarget;
struct IOleInPlaceFrame;
struct IOleInPlaceUIWindow;
struct IDropTarget;
struct IDataObject;

typedef struct _DOCHOSTUIINFO {
  ULONG cbSize;
  DWORD dwFlags;
  DWORD dwDoubleClick;
  OLECHAR* pchHostCss;
  OLECHAR* pchHostNS;
} DOCHOSTUIINFO;

#define DOCHOSTUIFLAG_DIALOG 0x00000001
#define DOCHOSTUIFLAG_DISABLE_HELP_MENU 0x00000002
#define DOCHOSTUIFLAG_NO3DBORDER 0x00000004
#define DOCHOSTUIFLAG_SCROLL_NO 0x00000008
#define DOCHOSTUIFLAG_THEME 0x00040000
#define DOCHOSTUIFLAG_NOTHEME 0x00080000
#define DOCHOSTUIDBLCLK_DEFAULT 0
#define CONTEXT_MENU_DEFAULT 0

extern "C" const IID IID_IDocHostUIHandler;

struct IDocHostUIHandler : IUnknown {
  STDMETHOD(ShowContextMenu)(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) PURE;
  STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* pInfo) PURE;
  STDMETHOD(ShowUI)(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                    IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) PURE;
  STDMETHOD(HideUI)() PURE;
  STDMETHOD(UpdateUI)() PURE;
  STDMETHOD(EnableModeless)(BOOL fEnable) PURE;
  STDMETHOD(OnDocWindowActivate)(BOOL fActivate) PURE;
  STDMETHOD(OnFrameWindowActivate)(BOOL fActivate) PURE;
  STDMETHOD(ResizeBorder)(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow) PURE;
  STDMETHOD(TranslateAccelerator)(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) PURE;
  STDMETHOD(GetOptionKeyPath)(LPOLESTR* pchKey, DWORD dw) PURE;
  STDMETHOD(GetDropTarget)(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) PURE;
  STDMETHOD(GetExternal)(IDispatch** ppDispatch) PURE;
  STDMETHOD(TranslateUrl)(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) PURE;
  STDMETHOD(FilterDataObject)(IDataObject* pDO, IDataObject** ppDORet) PURE;
};

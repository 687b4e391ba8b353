#include "browser/CustomControlSite.h"

#include "browser/ImpIDispatch.h"
#include "launcher/LorvaneApp.h"

BEGIN_INTERFACE_MAP(CCustomControlSite, COleControlSite)
  INTERFACE_PART(CCustomControlSite, IID_IDocHostUIHandler, DocHostUIHandler)
END_INTERFACE_MAP()

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::QueryInterface(REFIID iid, LPVOID* ppvObj) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP_(ULONG) CCustomControlSite::XDocHostUIHandler::AddRef() {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CCustomControlSite::XDocHostUIHandler::Release() {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return pThis->ExternalRelease();
}

// The browsers show no context menu of their own.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  pInfo->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
  pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                                           IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::HideUI() {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::UpdateUI() {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::EnableModeless(BOOL) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnDocWindowActivate(BOOL) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnFrameWindowActivate(BOOL) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

// Every key goes on to the browser.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return S_FALSE;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

// The application's external object; the site itself is not involved.
STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetExternal(IDispatch** ppDispatch) {
  CImpIDispatch* pExternal = theApp.m_pDispatch;
  if (!pExternal) {
    *ppDispatch = nullptr;
    return E_NOTIMPL;
  }
  pExternal->AddRef();
  *ppDispatch = pExternal;
  return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR*) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject**) {
  METHOD_PROLOGUE(CCustomControlSite, DocHostUIHandler);
  return E_NOTIMPL;
}

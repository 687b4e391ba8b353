#include "AfxOleSite.h"

#include <algorithm>

#include "afx/AfxException.h"
#include "afx/AfxWnd.h"
#include "browserctl/WebBrowser.h"
#include "win32/CodePage.h"
#include "win32/Unsupported.h"

extern "C" const IID IID_IOleClientSite = {0x00000118, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

namespace {

VARIANT NextArgument(BYTE type, va_list& args) {
  VARIANT v;
  VariantInit(&v);
  switch (type) {
    case VT_I2: v.vt = VT_I2; v.iVal = static_cast<SHORT>(va_arg(args, int)); break;
    case VT_I4: v.vt = VT_I4; v.lVal = va_arg(args, LONG); break;
    case VT_R8: v.vt = VT_R8; v.dblVal = va_arg(args, double); break;
    case VT_BSTR: {
      const char* text = va_arg(args, const char*);
      v.vt = VT_BSTR;
      v.bstrVal = SysAllocString(winsim::AnsiToUtf16(text ? text : "").c_str());
      break;
    }
    case VT_DISPATCH: v.vt = VT_DISPATCH; v.pdispVal = va_arg(args, IDispatch*); break;
    case VT_BOOL: v.vt = VT_BOOL; v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_VARIANT: v = *va_arg(args, const VARIANT*); break;
    case VT_UNKNOWN: v.vt = VT_UNKNOWN; v.punkVal = va_arg(args, IUnknown*); break;
    case VT_I4 | 0x40: v.vt = VT_I4 | VT_BYREF; v.plVal = va_arg(args, LONG*); break;
    case VT_BSTR | 0x40: v.vt = VT_BSTR | VT_BYREF; v.pbstrVal = va_arg(args, BSTR*); break;
    case VT_VARIANT | 0x40: v.vt = VT_VARIANT | VT_BYREF; v.pvarVal = va_arg(args, VARIANT*); break;
    default: WINSIM_UNSUPPORTED("this automation parameter type"); break;
  }
  return v;
}

void StoreResult(VARTYPE vtRet, VARIANT& result, void* pvRet) {
  if (!pvRet) return;
  switch (vtRet) {
    case VT_I4: *static_cast<LONG*>(pvRet) = result.vt == VT_I4 ? result.lVal : 0; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = (result.vt == VT_BOOL && result.boolVal) ? TRUE : FALSE; break;
    case VT_BSTR:
      // The caller owns the string.
      *static_cast<BSTR*>(pvRet) = result.vt == VT_BSTR ? result.bstrVal : nullptr;
      if (result.vt == VT_BSTR) VariantInit(&result);
      break;
    default: WINSIM_UNSUPPORTED("this automation result type"); break;
  }
}

}  // namespace

BEGIN_INTERFACE_MAP(COleControlSite, CCmdTarget)
  INTERFACE_PART(COleControlSite, IID_IOleClientSite, OleClientSite)
  INTERFACE_PART(COleControlSite, IID_IDispatch, EventSink)
END_INTERFACE_MAP()

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont) : m_pCtrlCont(pCtrlCont) {}

COleControlSite::~COleControlSite() {
  if (m_pObject) m_pObject->Release();
}

HRESULT COleControlSite::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCSTR, DWORD dwStyle, const RECT* prect,
                                       UINT nID) {
  if (clsid != CLSID_WebBrowser) {
    WINSIM_UNSUPPORTED("controls other than the Web Browser");
    return E_FAIL;
  }
  winsim::browser::HostedControl hosted;
  if (!winsim::browser::CreateWebBrowser(m_pCtrlCont->m_pWnd->m_hWnd, *prect, nID, dwStyle, 0,
                                         reinterpret_cast<IUnknown*>(&m_xOleClientSite), &m_xEventSink, &hosted)) {
    return E_FAIL;
  }
  m_clsid = clsid;
  m_nID = nID;
  m_hWnd = hosted.hwnd;
  m_pObject = hosted.dispatch;
  m_pWndCtrl = pWndCtrl;
  return S_OK;
}

void COleControlSite::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                    const BYTE* pbParamInfo, va_list argList) {
  if (!m_pObject) AfxThrowOleException(E_FAIL);
  std::vector<VARIANT> args;
  va_list copy;
  va_copy(copy, argList);
  for (const BYTE* p = pbParamInfo; p && *p; ++p) args.push_back(NextArgument(*p, copy));
  va_end(copy);
  std::reverse(args.begin(), args.end());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO excep{};
  UINT argErr = 0;
  HRESULT hr = m_pObject->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                 vtRet != VT_EMPTY ? &result : nullptr, &excep, &argErr);
  for (VARIANT& v : args) {
    if (v.vt == VT_BSTR) SysFreeString(v.bstrVal);
  }
  if (FAILED(hr)) {
    VariantClear(&result);
    if (hr == DISP_E_EXCEPTION) {
      EXCEPINFO info = excep;
      SysFreeString(excep.bstrSource);
      SysFreeString(excep.bstrHelpFile);
      try {
        AfxThrowOleDispatchException(info);
      } catch (...) {
        SysFreeString(excep.bstrDescription);
        throw;
      }
    }
    AfxThrowOleException(hr);
  }
  StoreResult(vtRet, result, pvRet);
  VariantClear(&result);
}

BOOL COleControlSite::FireEvent(DISPID dispid, DISPPARAMS* pDispParams) {
  // The control's own window object sees the event before its container.
  if (m_pWndCtrl && m_pWndCtrl->OnEvent(m_nID, dispid, pDispParams)) return TRUE;
  CWnd* pWnd = m_pCtrlCont->m_pWnd;
  return pWnd ? pWnd->OnEvent(m_nID, dispid, pDispParams) : FALSE;
}

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::AddRef() {
  METHOD_PROLOGUE_EX_(COleControlSite, OleClientSite);
  return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::Release() {
  METHOD_PROLOGUE_EX_(COleControlSite, OleClientSite);
  return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XOleClientSite::QueryInterface(REFIID iid, LPVOID* ppvObj) {
  METHOD_PROLOGUE_EX_(COleControlSite, OleClientSite);
  return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP_(ULONG) COleControlSite::XEventSink::AddRef() {
  METHOD_PROLOGUE_EX_(COleControlSite, EventSink);
  return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XEventSink::Release() {
  METHOD_PROLOGUE_EX_(COleControlSite, EventSink);
  return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XEventSink::QueryInterface(REFIID iid, LPVOID* ppvObj) {
  METHOD_PROLOGUE_EX_(COleControlSite, EventSink);
  return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlSite::XEventSink::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

STDMETHODIMP COleControlSite::XEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP COleControlSite::XEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                                 VARIANT*, EXCEPINFO*, UINT*) {
  METHOD_PROLOGUE(COleControlSite, EventSink);
  pThis->FireEvent(dispIdMember, pDispParams);
  return S_OK;
}

COleControlContainer::~COleControlContainer() {
  for (COleControlSite* site : m_sites) delete site;
}

COleControlSite* COleControlContainer::FindItem(UINT nID) const {
  for (COleControlSite* site : m_sites) {
    if (site->m_nID == nID) return site;
  }
  return nullptr;
}

COleControlSite* COleControlContainer::FindSite(HWND hWnd) const {
  for (COleControlSite* site : m_sites) {
    if (site->m_hWnd == hWnd) return site;
  }
  return nullptr;
}

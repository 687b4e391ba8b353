#include "browser/ImpIDispatch.h"

namespace {

const OLECHAR kMemberName[] = OLESTR("xxyyzz");
constexpr int kComparedCharacters = 3;
constexpr DISPID kMemberId = 12345;
const OLECHAR kPropertyValue[] = OLESTR("Wibble");

// True when the name has at least three characters and they equal the
// member name's first three; nothing after a terminator is read.
bool MatchesMember(LPCOLESTR name, LCID lcid) {
  for (int i = 0; i < kComparedCharacters; ++i) {
    if (!name[i]) return false;
  }
  return CompareStringW(lcid, NORM_IGNOREWIDTH, name, kComparedCharacters, kMemberName, kComparedCharacters) ==
         CSTR_EQUAL;
}

}  // namespace

STDMETHODIMP CImpIDispatch::QueryInterface(REFIID riid, void** ppvObject) {
  *ppvObject = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *ppvObject = this;
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CImpIDispatch::AddRef() { return static_cast<ULONG>(++m_cRef); }

// The object lives as long as the process: the application keeps the one
// instance, so the count never frees it.
STDMETHODIMP_(ULONG) CImpIDispatch::Release() { return static_cast<ULONG>(--m_cRef); }

STDMETHODIMP CImpIDispatch::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

STDMETHODIMP CImpIDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) {
  HRESULT result = S_OK;
  for (UINT i = 0; i < cNames; ++i) {
    if (MatchesMember(rgszNames[i], lcid)) {
      rgDispId[i] = kMemberId;
    } else {
      rgDispId[i] = DISPID_UNKNOWN;
      result = DISP_E_UNKNOWNNAME;
    }
  }
  return result;
}

STDMETHODIMP CImpIDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                                   EXCEPINFO*, UINT*) {
  if (dispIdMember == kMemberId && (wFlags & DISPATCH_PROPERTYGET) && pVarResult) {
    VariantInit(pVarResult);
    pVarResult->vt = VT_BSTR;
    pVarResult->bstrVal = SysAllocString(kPropertyValue);
  }
  return S_OK;
}

#include "TestContainer.h"

#include <cstring>

#include "browserctl/BrowserRecords.h"
#include "win32/CodePage.h"
#include "win32/Windows.h"

namespace browser_test {

testing_support::PortalProcess* BrowserTest::s_portal = nullptr;

namespace {

constexpr char kHostClass[] = "BrowserTestHost";
constexpr RECT kHostRect{100, 100, 900, 700};
constexpr RECT kControlRect{20, 30, 620, 362};  // 600 x 332 in the host's client area

}  // namespace

STDMETHODIMP TestSite::QueryInterface(REFIID riid, void** ppv) {
  *ppv = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || (offersHandler && IsEqualIID(riid, IID_IDocHostUIHandler))) {
    *ppv = this;
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP TestSite::ShowContextMenu(DWORD, POINT* ppt, IUnknown*, IDispatch*) {
  contextMenuPoints.push_back(*ppt);
  return contextMenuResult;
}

STDMETHODIMP TestSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  if (hostInfoResult == S_OK) pInfo->dwFlags = hostFlags;
  return hostInfoResult;
}

STDMETHODIMP TestSite::TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) {
  acceleratorMessages.push_back(lpMsg->message);
  return acceleratorResult;
}

STDMETHODIMP TestSite::GetExternal(IDispatch** ppDispatch) {
  if (!external) return E_NOTIMPL;
  external->AddRef();
  *ppDispatch = external;
  return S_OK;
}

STDMETHODIMP TestDispatch::QueryInterface(REFIID riid, void** ppv) {
  *ppv = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) return E_NOINTERFACE;
  *ppv = this;
  AddRef();
  return S_OK;
}

STDMETHODIMP TestDispatch::GetTypeInfoCount(UINT* pctinfo) {
  *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP EventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) {
  FiredEvent e;
  e.id = dispIdMember;
  e.argumentCount = p->cArgs;
  if (p->cArgs == 2) {
    e.frameType = p->rgvarg[1].vt;
    e.frame = p->rgvarg[1].pdispVal;
    e.urlType = p->rgvarg[0].vt;
    const VARIANT* url = p->rgvarg[0].vt == (VT_VARIANT | VT_BYREF) ? p->rgvarg[0].pvarVal : nullptr;
    if (url) e.urlValueType = url->vt;
    if (url && url->vt == VT_BSTR) e.url = winsim::Utf16ToUtf8(std::u16string_view(url->bstrVal, SysStringLen(url->bstrVal)));
  }
  events.push_back(e);
  if (onEvent) onEvent();
  return S_OK;
}

STDMETHODIMP ExternalObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  HRESULT hr = S_OK;
  for (UINT i = 0; i < cNames; ++i) {
    rgDispId[i] = std::u16string_view(rgszNames[i]) == u"xxyyzz" ? 12345 : DISPID_UNKNOWN;
    if (rgDispId[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP ExternalObject::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                                    EXCEPINFO*, UINT*) {
  if (dispIdMember == 12345 && (wFlags & DISPATCH_PROPERTYGET) && pVarResult) {
    VariantInit(pVarResult);
    pVarResult->vt = VT_BSTR;
    pVarResult->bstrVal = SysAllocString(u"Wibble");
  }
  return S_OK;
}

namespace {

VARIANT Value(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}

}  // namespace

Arguments& Arguments::Text(const std::u16string& text) {
  m_values.push_back(Value(VT_BSTR));
  m_values.back().bstrVal = SysAllocString(text.c_str());
  return *this;
}

Arguments& Arguments::Number(LONG value) {
  m_values.push_back(Value(VT_I4));
  m_values.back().lVal = value;
  return *this;
}

Arguments& Arguments::Bool(bool value) {
  m_values.push_back(Value(VT_BOOL));
  m_values.back().boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return *this;
}

Arguments& Arguments::MissingByReference() {
  m_values.push_back(Value(VT_VARIANT | VT_BYREF));
  m_values.back().pvarVal = nullptr;
  return *this;
}

Arguments& Arguments::MissingAsError() {
  m_values.push_back(Value(VT_ERROR));
  m_values.back().scode = DISP_E_PARAMNOTFOUND;
  return *this;
}

Arguments& Arguments::NamedPut() {
  m_put = true;
  return *this;
}

DISPPARAMS* Arguments::Params() {
  m_reversed.assign(m_values.rbegin(), m_values.rend());
  m_params.rgvarg = m_reversed.empty() ? nullptr : m_reversed.data();
  m_params.cArgs = static_cast<UINT>(m_reversed.size());
  m_params.rgdispidNamedArgs = m_put ? &m_named : nullptr;
  m_params.cNamedArgs = m_put ? 1 : 0;
  return &m_params;
}

Arguments::~Arguments() {
  for (VARIANT& v : m_values) VariantClear(&v);
}

BrowserTest::BrowserTest() {
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.lpszClassName = kHostClass;
  RegisterClassA(&cls);
}

BrowserTest::~BrowserTest() {
  CloseHost();
  winsim::browser::ForgetBrowserRecords();
}

void BrowserTest::Host(int dialog) {
  m_host = CreateWindowExA(0, kHostClass, "host", WS_POPUP | WS_VISIBLE, kHostRect.left, kHostRect.top,
                           kHostRect.right - kHostRect.left, kHostRect.bottom - kHostRect.top, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(m_host, nullptr);
  ASSERT_TRUE(winsim::browser::CreateWebBrowser(m_host, kControlRect, 1001, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                                                &m_site, &m_sink, &m_control));
  // A dialog knows its template only once its controls are made.
  winsim::FindWindowObject(m_host)->templateId = dialog;
  Pump();
}

void BrowserTest::CloseHost() {
  if (m_host) DestroyWindow(m_host);
  m_host = nullptr;
  if (m_control.dispatch) m_control.dispatch->Release();
  m_control = {};
}

HRESULT BrowserTest::Call(DISPID id, WORD flags, Arguments& args, VARIANT* result, UINT* argErr) {
  return m_control.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, args.Params(), result, nullptr, argErr);
}

void BrowserTest::Navigate(const std::string& url) {
  Arguments args;
  args.Text(winsim::Utf8ToUtf16(url)).MissingByReference().MissingByReference().MissingByReference().MissingByReference();
  ASSERT_EQ(Call(104, DISPATCH_METHOD, args), S_OK);
}

void BrowserTest::Pump() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) DispatchMessageA(&msg);
}

nlohmann::json BrowserTest::Record() const {
  nlohmann::json browsers = winsim::DumpState(std::nullopt)["browsers"];
  return browsers.empty() ? nlohmann::json() : browsers.back();
}

uint32_t BrowserTest::ScreenPixel(POINT p) {
  const std::vector<uint32_t> screen = winsim::ComposeScreen();
  return screen[static_cast<size_t>(p.y) * static_cast<size_t>(winsim::Desktop().screenWidth) + static_cast<size_t>(p.x)] &
         0x00FFFFFFu;
}

RECT BrowserTest::ControlRect() const {
  RECT r;
  GetWindowRect(m_control.hwnd, &r);
  return r;
}

}  // namespace browser_test

// A minimal container for the Web Browser control: a client site that is
// its own document host UI handler, an event sink that records what it is
// told, an external object, and a fixture that hosts one control in a
// top-level window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "DesktopFixture.h"
#include "PortalProcess.h"
#include "browserctl/WebBrowser.h"
#include "ole/DocHostUIHandler.h"

namespace browser_test {

// Counts its own references and never frees itself: the test owns it.
template <typename Interface>
class Counted : public Interface {
 public:
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }
  int References() const { return m_refs; }

 private:
  int m_refs = 0;
};

class TestSite : public Counted<IDocHostUIHandler> {
 public:
  bool offersHandler = true;
  HRESULT hostInfoResult = S_OK;
  DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
  HRESULT contextMenuResult = S_OK;
  HRESULT acceleratorResult = S_FALSE;
  IDispatch* external = nullptr;  // handed out with a reference; null: E_NOTIMPL

  std::vector<POINT> contextMenuPoints;
  std::vector<UINT> acceleratorMessages;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP ShowContextMenu(DWORD, POINT* ppt, IUnknown*, IDispatch*) override;
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
  STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                      IOleInPlaceUIWindow*) override { return S_OK; }
  STDMETHODIMP HideUI() override { return S_OK; }
  STDMETHODIMP UpdateUI() override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) override;
  STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
  STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
  STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }
};

// A dispatch object that answers nothing by itself; the event sink and the
// external object build on it.
class TestDispatch : public Counted<IDispatch> {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
};

struct FiredEvent {
  DISPID id = 0;
  UINT argumentCount = 0;
  VARTYPE frameType = VT_EMPTY;  // rgvarg[1]
  IDispatch* frame = nullptr;
  VARTYPE urlType = VT_EMPTY;  // rgvarg[0]
  VARTYPE urlValueType = VT_EMPTY;  // what rgvarg[0] refers to
  std::string url;
};

class EventSink : public TestDispatch {
 public:
  std::vector<FiredEvent> events;
  std::function<void()> onEvent;
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                      UINT*) override;
};

// One read-only text property, "xxyyzz", as the host's external object.
class ExternalObject : public TestDispatch {
 public:
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*,
                      UINT*) override;
};

// A VARIANT argument list in declaration order, turned into DISPPARAMS
// (which holds it last first).
class Arguments {
 public:
  Arguments& Text(const std::u16string& text);
  Arguments& Number(LONG value);
  Arguments& Bool(bool value);
  Arguments& MissingByReference();  // VT_VARIANT | VT_BYREF with a null pointer
  Arguments& MissingAsError();      // VT_ERROR with DISP_E_PARAMNOTFOUND
  Arguments& NamedPut();            // the one argument named DISPID_PROPERTYPUT
  DISPPARAMS* Params();
  ~Arguments();

 private:
  std::vector<VARIANT> m_values;
  std::vector<VARIANT> m_reversed;
  DISPID m_named = DISPID_PROPERTYPUT;
  bool m_put = false;
  DISPPARAMS m_params{};
};

class BrowserTest : public DesktopTest {
 protected:
  static void SetUpTestSuite() { s_portal = new testing_support::PortalProcess(); }
  static void TearDownTestSuite() {
    delete s_portal;
    s_portal = nullptr;
  }

  BrowserTest();
  ~BrowserTest() override;

  // Hosts a control in a shown top-level window that then takes the template
  // id `dialog`, as a dialog made from that template does.
  void Host(int dialog = 132);
  void CloseHost();
  HRESULT Call(DISPID id, WORD flags, Arguments& args, VARIANT* result = nullptr, UINT* argErr = nullptr);
  void Navigate(const std::string& url);
  // Dispatches what is queued, as the control's message loop would.
  static void Pump();
  nlohmann::json Record() const;
  static uint32_t ScreenPixel(POINT p);
  RECT ControlRect() const;

  static testing_support::PortalProcess* s_portal;
  TestSite m_site;
  EventSink m_sink;
  HWND m_host = nullptr;
  winsim::browser::HostedControl m_control;
};

}  // namespace browser_test

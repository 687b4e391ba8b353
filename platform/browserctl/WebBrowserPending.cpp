// Until the Web Browser control draws and navigates, its place is held by a
// plain child window whose automation object accepts the members the
// launcher calls and does nothing.
#include <new>

#include "browserctl/WebBrowser.h"
#include "win32/WinBase.h"

extern "C" const CLSID CLSID_WebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

namespace winsim::browser {

namespace {

class PendingBrowser : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_ref; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --m_ref;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return (id == 104 || id == 106 || id == -550 || id == 551) ? S_OK : DISP_E_MEMBERNOTFOUND;
  }

 private:
  ULONG m_ref = 1;
};

const char kClass[] = "WinsimPendingBrowser";

}  // namespace

bool CreateWebBrowser(HWND parent, const RECT& rect, UINT id, DWORD style, DWORD exStyle, IUnknown*, IDispatch*,
                      HostedControl* out) {
  WNDCLASSA cls{};
  if (!GetClassInfoA(nullptr, kClass, &cls)) {
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = kClass;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(5 + 1));  // COLOR_WINDOW + 1
    RegisterClassA(&cls);
  }
  out->hwnd = CreateWindowExA(exStyle, kClass, "", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              nullptr, nullptr);
  if (!out->hwnd) return false;
  out->dispatch = new PendingBrowser();
  return true;
}

}  // namespace winsim::browser

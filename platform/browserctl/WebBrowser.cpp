#include "WebBrowser.h"

#include "BrowserControl.h"

extern "C" const CLSID CLSID_WebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

namespace winsim::browser {

bool CreateWebBrowser(HWND parent, const RECT& rect, UINT id, DWORD style, DWORD exStyle, IUnknown* site,
                      IDispatch* events, HostedControl* out) {
  if (!out || !IsWindow(parent)) return false;
  auto* control = new BrowserControl(site, events);
  if (!control->CreateControlWindow(parent, rect, id, style, exStyle)) {
    control->Release();
    return false;
  }
  out->hwnd = control->Window();
  out->dispatch = control;  // the creation reference
  return true;
}

}  // namespace winsim::browser

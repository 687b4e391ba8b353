// The Web Browser control, as its container creates and drives it.
//
// The framework's control site creates the control for a dialog template's
// item of class {8856F961-340A-11D0-A96B-00C04FD705A2}. The control:
// - is a child window of the dialog, with the item's id, rectangle and style;
// - is driven through its IDispatch by IWebBrowser2's dispatch ids
//   (Navigate 104, Stop 106, Refresh -550, Silent 551);
// - asks its client site for IDocHostUIHandler (QueryInterface) and obeys it;
// - fires DWebBrowserEvents2 events through the container's event sink
//   (IDispatch::Invoke with the event's dispatch id, NavigateComplete2 252).
#pragma once

#include "ole/OleAuto.h"
#include "win32/WinUser.h"

extern "C" const CLSID CLSID_WebBrowser;

namespace winsim::browser {

#define DISPID_BEFORENAVIGATE2 250
#define DISPID_NEWWINDOW2 251
#define DISPID_NAVIGATECOMPLETE2 252
#define DISPID_DOCUMENTCOMPLETE 259

struct HostedControl {
  HWND hwnd = nullptr;
  IDispatch* dispatch = nullptr;  // one reference, owned by the container
};

// Creates the control as a child of `parent`. `site` and `events` are kept
// (with a reference each) until the control's window is destroyed, when the
// control lets go of both; the container keeps its own reference to the
// control's dispatch until it destroys the site.
bool CreateWebBrowser(HWND parent, const RECT& rect, UINT id, DWORD style, DWORD exStyle, IUnknown* site,
                      IDispatch* events, HostedControl* out);

}  // namespace winsim::browser

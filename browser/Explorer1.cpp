#include "browser/Explorer1.h"

IMPLEMENT_DYNCREATE(CExplorer1, CWnd)

namespace {

constexpr DISPID kDispNavigate = 104;
constexpr DISPID kDispStop = 106;
constexpr DISPID kDispRefresh = -550;
constexpr DISPID kDispSilent = 551;

}  // namespace

void CExplorer1::Navigate(LPCSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers) {
  static const BYTE parms[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
  InvokeHelper(kDispNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, parms, URL, Flags, TargetFrameName, PostData,
               Headers);
}

void CExplorer1::Refresh() { InvokeHelper(kDispRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

void CExplorer1::Stop() { InvokeHelper(kDispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

void CExplorer1::put_Silent(BOOL newValue) {
  static const BYTE parms[] = VTS_BOOL;
  InvokeHelper(kDispSilent, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, newValue);
}

// The control's automation: the members of IWebBrowser2 that containers reach
// by dispatch id, with the platform's answers for unknown members, wrong
// kinds of call and bad arguments.
#include <cctype>
#include <functional>

#include "BrowserControl.h"
#include "DispatchArguments.h"
#include "win32/CodePage.h"
#include "win32/Unsupported.h"

namespace winsim::browser {

namespace {

constexpr DISPID kNavigate = 104;
constexpr DISPID kStop = 106;
constexpr DISPID kRefresh = -550;
constexpr DISPID kSilent = 551;
constexpr UINT kNavigateArguments = 5;  // URL, Flags, TargetFrameName, PostData, Headers

struct Member {
  const char16_t* name;
  DISPID id;
};
constexpr Member kMembers[] = {{u"Navigate", kNavigate}, {u"Stop", kStop}, {u"Refresh", kRefresh}, {u"Silent", kSilent}};

// Member names are matched without regard to case, as type libraries match them.
bool SameName(const OLECHAR* a, const char16_t* b) {
  auto fold = [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::tolower(c)) : c; };
  for (; *a && *b; ++a, ++b) {
    if (fold(*a) != fold(*b)) return false;
  }
  return *a == *b;
}

HRESULT BadArgument(HRESULT hr, UINT slot, UINT* argErr) {
  if (argErr) *argErr = slot;
  return hr;
}

HRESULT InvokeMethod(WORD flags, const DispatchArguments& args, const std::function<void()>& run) {
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (args.NamedCount()) return DISP_E_NONAMEDARGS;
  if (args.Count()) return DISP_E_BADPARAMCOUNT;
  run();
  return S_OK;
}

}  // namespace

STDMETHODIMP BrowserControl::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_INVALIDARG;
  *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP BrowserControl::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return DISP_E_BADINDEX;
}

STDMETHODIMP BrowserControl::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!rgszNames || !rgDispId) return E_INVALIDARG;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < cNames; ++i) {
    rgDispId[i] = DISPID_UNKNOWN;
    // Names after the first are argument names, which the control does not take.
    for (const Member& m : kMembers) {
      if (i == 0 && rgszNames[i] && SameName(rgszNames[i], m.name)) rgDispId[i] = m.id;
    }
    if (rgDispId[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP BrowserControl::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                    VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!pDispParams || (pDispParams->cArgs && !pDispParams->rgvarg)) return E_INVALIDARG;
  const DispatchArguments args(*pDispParams);
  switch (dispIdMember) {
    case kNavigate: return InvokeNavigate(wFlags, args, puArgErr);
    case kStop: return InvokeMethod(wFlags, args, [this] { Stop(); });
    case kRefresh: return InvokeMethod(wFlags, args, [this] { Refresh(); });
    case kSilent: return InvokeSilent(wFlags, args, pVarResult, puArgErr);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

// Navigate(URL, [Flags], [TargetFrameName], [PostData], [Headers]): the
// container leaves the four optional ones out, and the control then uses its
// defaults: no flags, its own window, a GET without extra headers.
HRESULT BrowserControl::InvokeNavigate(WORD flags, const DispatchArguments& args, UINT* argErr) {
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (args.NamedCount()) return DISP_E_NONAMEDARGS;
  if (args.Count() < 1 || args.Count() > kNavigateArguments) return DISP_E_BADPARAMCOUNT;
  std::u16string url;
  if (!DispatchArguments::ReadText(args.At(0), url)) return BadArgument(DISP_E_TYPEMISMATCH, args.Slot(0), argErr);
  for (UINT position = 1; position < args.Count(); ++position) {
    if (DispatchArguments::IsMissing(args.At(position))) continue;
    WINSIM_UNSUPPORTED("navigation flags, target frames, post data or headers");
    return BadArgument(E_INVALIDARG, args.Slot(position), argErr);
  }
  Navigate(Utf16ToUtf8(url));
  return S_OK;
}

// Silent: a property; a put names its one argument DISPID_PROPERTYPUT.
HRESULT BrowserControl::InvokeSilent(WORD flags, const DispatchArguments& args, VARIANT* result, UINT* argErr) {
  if (flags & DISPATCH_PROPERTYPUT) {
    if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
    if (args.NamedCount() != 1 || !args.NamedIs(0, DISPID_PROPERTYPUT)) return DISP_E_PARAMNOTFOUND;
    bool silent = false;
    if (!DispatchArguments::ReadBool(args.At(0), silent)) return BadArgument(DISP_E_TYPEMISMATCH, 0, argErr);
    SetSilent(silent);
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (args.Count()) return DISP_E_BADPARAMCOUNT;
  if (result) {
    VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = Silent() ? VARIANT_TRUE : VARIANT_FALSE;
  }
  return S_OK;
}

}  // namespace winsim::browser

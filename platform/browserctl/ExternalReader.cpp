// What a page's script does to read a member of the host's external object
// (window.external.NAME): GetExternal, GetIDsOfNames, a property get.
#include <cstdio>

#include "BrowserControl.h"
#include "win32/CodePage.h"

namespace winsim::browser {

namespace {

std::string Failure(const char* step, HRESULT hr) {
  char text[64];
  std::snprintf(text, sizeof text, "error 0x%08X from %s", static_cast<unsigned>(hr), step);
  return text;
}

// How a page's script would show the value it read.
std::string ValueText(const VARIANT& v) {
  switch (v.vt) {
    case VT_BSTR: return v.bstrVal ? Utf16ToUtf8(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal))) : "";
    case VT_I4: return std::to_string(v.lVal);
    case VT_BOOL: return v.boolVal ? "true" : "false";
    case VT_EMPTY: return "undefined";
    case VT_NULL: return "null";
    default: return "(a value of type " + std::to_string(v.vt) + ")";
  }
}

}  // namespace

std::string BrowserControl::ReadExternal(const std::u16string& name) {
  std::string result = ReadExternalMember(name);
  m_record->external.push_back({Utf16ToUtf8(name), result});
  return result;
}

std::string BrowserControl::ReadExternalMember(const std::u16string& name) {
  IDispatch* external = nullptr;
  HRESULT hr = m_host ? m_host->GetExternal(&external) : E_NOTIMPL;
  if (FAILED(hr) || !external) return Failure("GetExternal", FAILED(hr) ? hr : E_POINTER);
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  DISPID id = DISPID_UNKNOWN;
  hr = external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  std::string result;
  if (FAILED(hr)) {
    result = Failure("GetIDsOfNames", hr);
  } else {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    hr = external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    result = FAILED(hr) ? Failure("Invoke", hr) : ValueText(value);
    VariantClear(&value);
  }
  external->Release();
  return result;
}

}  // namespace winsim::browser

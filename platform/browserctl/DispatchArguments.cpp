#include "DispatchArguments.h"

namespace winsim::browser {

namespace {

// What a VT_VARIANT | VT_BYREF stands for; the value itself otherwise.
const VARIANT* Referenced(const VARIANT& v) {
  if (v.vt == (VT_VARIANT | VT_BYREF)) return v.pvarVal;
  return &v;
}

}  // namespace

bool DispatchArguments::NamedIs(UINT index, DISPID id) const {
  return index < m_params.cNamedArgs && m_params.rgdispidNamedArgs && m_params.rgdispidNamedArgs[index] == id;
}

bool DispatchArguments::IsMissing(const VARIANT& v) {
  const VARIANT* value = Referenced(v);
  if (!value) return true;
  return value->vt == VT_EMPTY || (value->vt == VT_ERROR && value->scode == DISP_E_PARAMNOTFOUND);
}

bool DispatchArguments::ReadText(const VARIANT& v, std::u16string& out) {
  const VARIANT* value = Referenced(v);
  if (!value) return false;
  BSTR text = nullptr;
  if (value->vt == VT_BSTR) text = value->bstrVal;
  else if (value->vt == (VT_BSTR | VT_BYREF) && value->pbstrVal) text = *value->pbstrVal;
  else return false;
  out.assign(text ? text : u"", SysStringLen(text));
  return true;
}

bool DispatchArguments::ReadBool(const VARIANT& v, bool& out) {
  const VARIANT* value = Referenced(v);
  if (!value) return false;
  switch (value->vt) {
    case VT_BOOL: out = value->boolVal != VARIANT_FALSE; return true;
    case VT_I4: out = value->lVal != 0; return true;
    case VT_I2: out = value->iVal != 0; return true;
    case VT_BOOL | VT_BYREF:
      if (!value->pboolVal) return false;
      out = *value->pboolVal != VARIANT_FALSE;
      return true;
    default: return false;
  }
}

}  // namespace winsim::browser

// The arguments of an IDispatch::Invoke call as a member reads them:
// DISPPARAMS holds them last first, and an optional argument left out
// arrives as a missing value rather than not at all.
#pragma once

#include <string>

#include "ole/OleAuto.h"

#ifndef DISP_E_NONAMEDARGS
#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007L)
#endif
#ifndef DISP_E_BADINDEX
#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#endif

namespace winsim::browser {

class DispatchArguments {
 public:
  explicit DispatchArguments(const DISPPARAMS& params) : m_params(params) {}

  UINT Count() const { return m_params.cArgs; }
  UINT NamedCount() const { return m_params.cNamedArgs; }
  bool NamedIs(UINT index, DISPID id) const;
  // The argument at a position of the member's declaration (0 = first).
  const VARIANT& At(UINT position) const { return m_params.rgvarg[Slot(position)]; }
  // Its index in rgvarg, which the caller's argument-error slot names.
  UINT Slot(UINT position) const { return m_params.cArgs - 1 - position; }

  // Left out: VT_EMPTY, VT_ERROR with DISP_E_PARAMNOTFOUND, or a reference
  // to a VARIANT that is null or itself left out.
  static bool IsMissing(const VARIANT& v);
  // A string: VT_BSTR, or a reference to one (directly or through a VARIANT).
  static bool ReadText(const VARIANT& v, std::u16string& out);
  // A truth value: VT_BOOL or a number, directly or through a VARIANT reference.
  static bool ReadBool(const VARIANT& v, bool& out);

 private:
  const DISPPARAMS& m_params;
};

}  // namespace winsim::browser

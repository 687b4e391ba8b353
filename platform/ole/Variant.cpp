// VARIANTs: initialising and releasing what they hold.
#include <cstring>

#include "ole/OleAuto.h"

extern "C" void WINAPI VariantInit(VARIANTARG* pvarg) {
  if (pvarg) std::memset(pvarg, 0, sizeof *pvarg);
}

extern "C" HRESULT WINAPI VariantClear(VARIANTARG* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  switch (pvarg->vt) {
    case VT_BSTR: SysFreeString(pvarg->bstrVal); break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (pvarg->punkVal) pvarg->punkVal->Release();
      break;
    default: break;
  }
  VariantInit(pvarg);
  return S_OK;
}

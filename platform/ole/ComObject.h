// Reference counting shared by the stand-in's COM objects.
#pragma once

#include <atomic>
#include <cstddef>

#include "ole/Ole.h"

namespace winsim {

void CountComObject(int delta);

// Implements IUnknown for `Interface`; `Self::Answers(riid)` says which
// interfaces the object hands out as itself.
template <typename Self, typename Interface>
class ComObject : public Interface {
 public:
  ComObject() { CountComObject(1); }
  virtual ~ComObject() { CountComObject(-1); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (!Self::Answers(riid)) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    *ppv = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<ULONG> m_refs{1};
};

}  // namespace winsim

// IStream over a block of the global heap, growing it as writes need.
#include <algorithm>
#include <cstring>

#include "ole/ComObject.h"
#include "win32/Unsupported.h"

namespace {

class HGlobalStream : public winsim::ComObject<HGlobalStream, IStream> {
 public:
  HGlobalStream(HGLOBAL block, bool deleteOnRelease) : m_block(block), m_deleteOnRelease(deleteOnRelease) {}
  ~HGlobalStream() override {
    if (m_deleteOnRelease) GlobalFree(m_block);
  }
  static bool Answers(REFIID riid) { return riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream; }
  HGLOBAL Block() const { return m_block; }

  STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (!pv) return STG_E_INVALIDPOINTER;
    const SIZE_T size = GlobalSize(m_block);
    const ULONG n = m_position >= size ? 0 : static_cast<ULONG>(std::min<SIZE_T>(cb, size - m_position));
    if (n) {
      std::memcpy(pv, static_cast<char*>(GlobalLock(m_block)) + m_position, n);
      GlobalUnlock(m_block);
    }
    m_position += n;
    if (pcbRead) *pcbRead = n;
    return S_OK;
  }

  STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
    if (!pv) return STG_E_INVALIDPOINTER;
    if (m_position + cb > GlobalSize(m_block) && !Resize(m_position + cb)) return STG_E_MEDIUMFULL;
    if (cb) {
      std::memcpy(static_cast<char*>(GlobalLock(m_block)) + m_position, pv, cb);
      GlobalUnlock(m_block);
    }
    m_position += cb;
    if (pcbWritten) *pcbWritten = cb;
    return S_OK;
  }

  STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    const LONGLONG base = origin == STREAM_SEEK_SET   ? 0
                          : origin == STREAM_SEEK_CUR ? static_cast<LONGLONG>(m_position)
                          : origin == STREAM_SEEK_END ? static_cast<LONGLONG>(GlobalSize(m_block))
                                                      : -1;
    if (base < 0) return STG_E_INVALIDFUNCTION;
    const LONGLONG target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<SIZE_T>(target);
    if (newPosition) newPosition->QuadPart = static_cast<ULONGLONG>(m_position);
    return S_OK;
  }

  STDMETHODIMP SetSize(ULARGE_INTEGER size) override {
    return Resize(static_cast<SIZE_T>(size.QuadPart)) ? S_OK : STG_E_MEDIUMFULL;
  }

  STDMETHODIMP Stat(STATSTG* s, DWORD) override {
    if (!s) return STG_E_INVALIDPOINTER;
    *s = STATSTG{};
    s->type = STGTY_STREAM;
    s->cbSize.QuadPart = GlobalSize(m_block);
    return S_OK;
  }

  STDMETHODIMP Commit(DWORD) override { return S_OK; }
  STDMETHODIMP Revert() override { return S_OK; }
  STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return Unsupported("CopyTo"); }
  STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
  STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
  STDMETHODIMP Clone(IStream**) override { return Unsupported("Clone"); }

 private:
  static HRESULT Unsupported(const char* what) {
    WINSIM_UNSUPPORTED(what);
    return E_NOTIMPL;
  }
  bool Resize(SIZE_T size) { return GlobalReAlloc(m_block, size, GMEM_MOVEABLE) != nullptr; }

  HGLOBAL m_block;
  bool m_deleteOnRelease;
  SIZE_T m_position = 0;
};

}  // namespace

extern "C" HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm) {
  if (!ppstm) return E_INVALIDARG;
  *ppstm = nullptr;
  // Without a block the stream makes its own empty one.
  if (!hGlobal) hGlobal = GlobalAlloc(GMEM_MOVEABLE, 0);
  else if (GlobalFlags(hGlobal) == 0x8000) return E_INVALIDARG;
  if (!hGlobal) return E_OUTOFMEMORY;
  *ppstm = new HGlobalStream(hGlobal, fDeleteOnRelease != FALSE);
  return S_OK;
}

extern "C" HRESULT WINAPI GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal) {
  if (!pstm || !phglobal) return E_INVALIDARG;
  *phglobal = static_cast<HGlobalStream*>(pstm)->Block();
  return S_OK;
}

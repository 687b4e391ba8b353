// OLE pictures of bitmap files: the picture owns a bitmap in the screen's
// format and renders it by its HIMETRIC extent.
#include <vector>

#include "gdi/GdiObjects.h"
#include "ole/BitmapFile.h"
#include "ole/ComObject.h"
#include "win32/WinBase.h"
#include "win32/Unsupported.h"

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr HRESULT CTL_E_INVALIDPICTURE = static_cast<HRESULT>(0x800A01E1L);

class Picture : public winsim::ComObject<Picture, IPicture> {
 public:
  explicit Picture(const winsim::Surface& pixels)
      : m_width(pixels.width), m_height(pixels.height), m_bitmap(winsim::gdi::NewBitmap(winsim::Surface::ScreenCopy(pixels), false)) {}
  ~Picture() override { DeleteObject(m_bitmap); }
  static bool Answers(REFIID riid) { return riid == IID_IUnknown || riid == IID_IPicture; }

  STDMETHODIMP get_Handle(OLE_HANDLE* p) override {
    if (!p) return E_POINTER;
    *p = static_cast<OLE_HANDLE>(reinterpret_cast<uintptr_t>(m_bitmap));
    return S_OK;
  }
  STDMETHODIMP get_Type(SHORT* p) override {
    if (!p) return E_POINTER;
    *p = PICTYPE_BITMAP;
    return S_OK;
  }
  STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* p) override {
    if (!p) return E_POINTER;
    *p = HimetricWidth();
    return S_OK;
  }
  STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* p) override {
    if (!p) return E_POINTER;
    *p = HimetricHeight();
    return S_OK;
  }
  STDMETHODIMP Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                      OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT) override;

  STDMETHODIMP get_hPal(OLE_HANDLE* p) override {
    if (!p) return E_POINTER;
    *p = 0;
    return S_OK;
  }
  STDMETHODIMP set_hPal(OLE_HANDLE) override { return Unsupported(); }
  STDMETHODIMP get_CurDC(HDC*) override { return Unsupported(); }
  STDMETHODIMP SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return Unsupported(); }
  STDMETHODIMP get_KeepOriginalFormat(BOOL*) override { return Unsupported(); }
  STDMETHODIMP put_KeepOriginalFormat(BOOL) override { return Unsupported(); }
  STDMETHODIMP PictureChanged() override { return Unsupported(); }
  STDMETHODIMP SaveAsFile(LPSTREAM, BOOL, LONG*) override { return Unsupported(); }
  STDMETHODIMP get_Attributes(DWORD*) override { return Unsupported(); }

 private:
  static HRESULT Unsupported() {
    WINSIM_UNSUPPORTED("this IPicture operation");
    return E_NOTIMPL;
  }
  LONG HimetricWidth() const { return MulDiv(m_width, kHimetricPerInch, winsim::gdi::kScreenDpi); }
  LONG HimetricHeight() const { return MulDiv(m_height, kHimetricPerInch, winsim::gdi::kScreenDpi); }

  int m_width;
  int m_height;
  HBITMAP m_bitmap;
};

STDMETHODIMP Picture::Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                             OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT) {
  if (!hdc) return E_INVALIDARG;
  if (cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0) return CTL_E_INVALIDPROPERTYVALUE;
  const LONG hmWidth = HimetricWidth(), hmHeight = HimetricHeight();
  // HIMETRIC y runs upwards from the picture's bottom edge.
  const int left = MulDiv(xSrc, m_width, hmWidth), right = MulDiv(xSrc + cxSrc, m_width, hmWidth);
  const int top = MulDiv(hmHeight - ySrc, m_height, hmHeight);
  const int bottom = MulDiv(hmHeight - ySrc - cySrc, m_height, hmHeight);
  HDC memory = CreateCompatibleDC(hdc);
  if (!memory) return E_FAIL;
  HGDIOBJ previous = SelectObject(memory, m_bitmap);
  const BOOL drawn = StretchBlt(hdc, x, y, cx, cy, memory, left, top, right - left, bottom - top, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  return drawn ? S_OK : E_FAIL;
}

// The bytes of the stream from its current position: `size` of them, or
// all that remain when size is 0.
bool ReadStream(IStream* stream, LONG size, std::vector<uint8_t>& bytes) {
  if (size < 0) return false;
  if (size == 0) {
    STATSTG stat;
    ULARGE_INTEGER position;
    LARGE_INTEGER none{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(none, STREAM_SEEK_CUR, &position)))
      return false;
    size = static_cast<LONG>(stat.cbSize.QuadPart - position.QuadPart);
  }
  bytes.resize(static_cast<size_t>(size));
  ULONG read = 0;
  return SUCCEEDED(stream->Read(bytes.data(), static_cast<ULONG>(size), &read)) && read == static_cast<ULONG>(size);
}

}  // namespace

extern "C" HRESULT WINAPI OleLoadPicture(LPSTREAM lpstream, LONG lSize, BOOL, REFIID riid, LPVOID* lplpvObj) {
  if (!lplpvObj) return E_POINTER;
  *lplpvObj = nullptr;
  if (!lpstream) return E_POINTER;
  std::vector<uint8_t> bytes;
  if (!ReadStream(lpstream, lSize, bytes)) return CTL_E_INVALIDPICTURE;
  auto pixels = winsim::DecodeBitmapFile(bytes.data(), bytes.size());
  if (!pixels) return CTL_E_INVALIDPICTURE;
  auto* picture = new Picture(*pixels);
  const HRESULT hr = picture->QueryInterface(riid, lplpvObj);
  picture->Release();
  return hr;
}

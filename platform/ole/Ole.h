// COM and OLE: IUnknown, streams over global memory, OLE pictures, and the
// BSTR basics that automation shares.
#pragma once

#include "gdi/WinGdi.h"
#include "ole/GlobalMemory.h"
#include "win32/WinDef.h"

#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0

#define CTL_E_INVALIDPROPERTYVALUE ((HRESULT)0x800A017CL)
#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001L)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070L)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009L)

typedef union _LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
} LARGE_INTEGER;

typedef union _ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
} ULARGE_INTEGER;

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME;

typedef WCHAR* BSTR;

extern "C" const IID IID_IUnknown;
extern "C" const IID IID_ISequentialStream;
extern "C" const IID IID_IStream;
extern "C" const IID IID_IPicture;
extern "C" const IID IID_NULL;

struct IUnknown {
  STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
  STDMETHOD_(ULONG, AddRef)() PURE;
  STDMETHOD_(ULONG, Release)() PURE;
};
typedef IUnknown* LPUNKNOWN;

// Streams
#define STREAM_SEEK_SET 0
#define STREAM_SEEK_CUR 1
#define STREAM_SEEK_END 2
#define STATFLAG_DEFAULT 0
#define STATFLAG_NONAME 1
#define STGTY_STREAM 2

typedef struct tagSTATSTG {
  LPOLESTR pwcsName;
  DWORD type;
  ULARGE_INTEGER cbSize;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  DWORD grfMode;
  DWORD grfLocksSupported;
  CLSID clsid;
  DWORD grfStateBits;
  DWORD reserved;
} STATSTG;

struct ISequentialStream : IUnknown {
  STDMETHOD(Read)(void* pv, ULONG cb, ULONG* pcbRead) PURE;
  STDMETHOD(Write)(const void* pv, ULONG cb, ULONG* pcbWritten) PURE;
};

struct IStream : ISequentialStream {
  STDMETHOD(Seek)(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) PURE;
  STDMETHOD(SetSize)(ULARGE_INTEGER libNewSize) PURE;
  STDMETHOD(CopyTo)(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) PURE;
  STDMETHOD(Commit)(DWORD grfCommitFlags) PURE;
  STDMETHOD(Revert)() PURE;
  STDMETHOD(LockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(UnlockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(Stat)(STATSTG* pstatstg, DWORD grfStatFlag) PURE;
  STDMETHOD(Clone)(IStream** ppstm) PURE;
};
typedef IStream* LPSTREAM;

// Pictures
typedef UINT OLE_HANDLE;
typedef LONG OLE_XPOS_HIMETRIC;
typedef LONG OLE_YPOS_HIMETRIC;
typedef LONG OLE_XSIZE_HIMETRIC;
typedef LONG OLE_YSIZE_HIMETRIC;
#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1

struct IPicture : IUnknown {
  // OLE_HANDLE is 32 bits wide; the stand-in's GDI handles are small
  // numbers, so a bitmap handle fits as it does on the platform.
  STDMETHOD(get_Handle)(OLE_HANDLE* pHandle) PURE;
  STDMETHOD(get_hPal)(OLE_HANDLE* phPal) PURE;
  STDMETHOD(get_Type)(SHORT* pType) PURE;
  STDMETHOD(get_Width)(OLE_XSIZE_HIMETRIC* pWidth) PURE;
  STDMETHOD(get_Height)(OLE_YSIZE_HIMETRIC* pHeight) PURE;
  STDMETHOD(Render)(HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                    OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT pRcWBounds) PURE;
  STDMETHOD(set_hPal)(OLE_HANDLE hPal) PURE;
  STDMETHOD(get_CurDC)(HDC* phDC) PURE;
  STDMETHOD(SelectPicture)(HDC hDCIn, HDC* phDCOut, OLE_HANDLE* phBmpOut) PURE;
  STDMETHOD(get_KeepOriginalFormat)(BOOL* pKeep) PURE;
  STDMETHOD(put_KeepOriginalFormat)(BOOL keep) PURE;
  STDMETHOD(PictureChanged)() PURE;
  STDMETHOD(SaveAsFile)(LPSTREAM pStream, BOOL fSaveMemCopy, LONG* pCbSize) PURE;
  STDMETHOD(get_Attributes)(DWORD* pDwAttr) PURE;
};
typedef IPicture* LPPICTURE;

extern "C" {

HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm);
HRESULT WINAPI GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal);
HRESULT WINAPI OleLoadPicture(LPSTREAM lpstream, LONG lSize, BOOL fRunmode, REFIID riid, LPVOID* lplpvObj);

BSTR WINAPI SysAllocString(const OLECHAR* psz);
BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui);
void WINAPI SysFreeString(BSTR bstrString);
UINT WINAPI SysStringLen(BSTR pbstr);
UINT WINAPI SysStringByteLen(BSTR bstr);

}  // extern "C"

namespace winsim {

// COM objects of the stand-in alive (tests count leaks).
size_t LiveComObjectCount();

}  // namespace winsim

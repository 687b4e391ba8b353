// The framework's GDI wrappers.
#pragma once

#include <map>

#include "afx/AfxObject.h"
#include "afx/AfxString.h"
#include "afx/AfxTypes.h"
#include "gdi/WinGdi.h"

class CWnd;

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)

 public:
  HGDIOBJ m_hObject = nullptr;

  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }

  // A wrapper that the framework owns for a handle it hands back (the
  // previous selection of a DC); it never deletes the handle.
  template <class T>
  static T* FromHandleAs(HGDIOBJ h);

 private:
  static CGdiObject*& TempSlot(HGDIOBJ h);
};

template <class T>
T* CGdiObject::FromHandleAs(HGDIOBJ h) {
  if (!h) return nullptr;
  CGdiObject*& slot = TempSlot(h);
  if (!slot) {
    slot = new T;
    slot->m_hObject = h;
  }
  return static_cast<T*>(slot);
}

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  BOOL LoadBitmap(UINT nIDResource);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
  }
  int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)

 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirect(lpLogFont)); }
  // The size in tenths of a point, for the given DC or the screen.
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)

 public:
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)

 public:
  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;

  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // A wrapper that the framework owns for the current message.
  static CDC* FromHandle(HDC hDC);
  static void DeleteTempMap();

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL Attach(HDC hDC);
  HDC Detach();
  BOOL DeleteDC();

  BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

  HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
  CBitmap* SelectObject(CBitmap* p) { return Select<CBitmap>(p); }
  CFont* SelectObject(CFont* p) { return Select<CFont>(p); }
  CBrush* SelectObject(CBrush* p) { return Select<CBrush>(p); }
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
  }
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
  }
  int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
  }
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int FillRect(LPCRECT r, CBrush* brush) { return ::FillRect(m_hDC, r, static_cast<HBRUSH>(brush->GetSafeHandle())); }

 private:
  template <class T>
  T* Select(T* p) {
    return CGdiObject::FromHandleAs<T>(::SelectObject(m_hDC, p ? p->GetSafeHandle() : nullptr));
  }
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)

 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)

 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)

 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

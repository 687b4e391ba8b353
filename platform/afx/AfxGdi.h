// The framework's GDI wrappers.
#pragma once

#include <map>

#include "afx/AfxObject.h"
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
};

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
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

  HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int FillRect(LPCRECT r, CBrush* brush) { return ::FillRect(m_hDC, r, static_cast<HBRUSH>(brush->GetSafeHandle())); }
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

#include "images/MyBitmap.h"

#include "images/DrawColourKeyed.h"

BOOL CMyBitmap::ReloadFromResource(UINT nID, LPCSTR lpszType, HMODULE hModule, COLORREF crBack) {
  DeleteObject();
  return LoadFromResource(nID, lpszType, hModule, crBack);
}

BOOL CMyBitmap::ReloadFromFile(LPCSTR lpszPath) {
  DeleteObject();
  return LoadFromFile(lpszPath, RGB(0, 0, 0));
}

int CMyBitmap::Width() const {
  BITMAP bm{};
  return m_hObject && GetBitmap(&bm) ? bm.bmWidth : 0;
}

int CMyBitmap::Height() const {
  BITMAP bm{};
  return m_hObject && GetBitmap(&bm) ? bm.bmHeight : 0;
}

BOOL CMyBitmap::Draw(CDC* pDC, int x, int y, LPCRECT pPart, COLORREF crKey, BOOL bUseKey, bool bStretch) {
  if (!bUseKey) return DrawPart(pDC, x, y, pPart, bStretch);
  const RECT rcPart = pPart ? *pPart : RECT{0, 0, Width(), Height()};
  DrawColourKeyed(pDC->GetSafeHdc(), x, y, rcPart.right - rcPart.left, rcPart.bottom - rcPart.top,
                  static_cast<HBITMAP>(m_hObject), rcPart.left, rcPart.top, crKey, nullptr);
  return TRUE;
}

BOOL CMyBitmap::DrawPart(CDC* pDC, int x, int y, LPCRECT pPart, bool bStretch) {
  CDC memDC;
  memDC.CreateCompatibleDC(pDC);
  CBitmap* pOld = memDC.SelectObject(this);
  if (!pPart) {
    pDC->BitBlt(x, y, Width(), Height(), &memDC, 0, 0, SRCCOPY);
  } else if (bStretch) {
    pDC->StretchBlt(x, y, pPart->right - pPart->left, pPart->bottom - pPart->top, &memDC, 0, 0, Width(), Height(),
                    SRCCOPY);
  } else {
    pDC->BitBlt(x, y, pPart->right - pPart->left, pPart->bottom - pPart->top, &memDC, pPart->left, pPart->top, SRCCOPY);
  }
  memDC.SelectObject(pOld);
  return TRUE;
}

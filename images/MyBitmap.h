// CMyBitmap: the skin's bitmap, with reloading, plain, stretched and
// colour-keyed drawing, and a window region of its non-key pixels.
#pragma once

#include "images/EnBitmap.h"

class CMyBitmap : public CEnBitmap {
 public:
  CMyBitmap() = default;
  ~CMyBitmap() override = default;

  // Empty the object, then load.
  virtual BOOL ReloadFromResource(UINT nID, LPCSTR lpszType, HMODULE hModule, COLORREF crBack);
  virtual BOOL ReloadFromFile(LPCSTR lpszPath);

  int Width() const;
  int Height() const;

  // With the key flag: through the key colour, 1:1, from the part (the whole
  // bitmap without one). Otherwise as DrawPart.
  BOOL Draw(CDC* pDC, int x, int y, LPCRECT pPart, COLORREF crKey, BOOL bUseKey, bool bStretch);
  // Without a part: the whole bitmap. With one: the part 1:1, or the whole
  // bitmap stretched to the part's size.
  BOOL DrawPart(CDC* pDC, int x, int y, LPCRECT pPart, bool bStretch);
  // A new region of every pixel that differs from the key, one rectangle
  // per horizontal run; the caller owns it.
  HRGN RegionFromColourKey(COLORREF crKey);
};

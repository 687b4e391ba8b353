// CEnBitmap: a bitmap in the screen's format, loaded from a bitmap resource
// or an image file through the platform's OLE picture decoder.
#pragma once

#include "framework.h"

class CEnBitmap : public CBitmap {
 public:
  CEnBitmap() = default;
  ~CEnBitmap() override = default;

  // Every loader fills only an empty object and leaves it empty on failure.
  BOOL LoadFromResource(UINT nID, LPCSTR lpszType, HMODULE hModule, COLORREF crBack);
  BOOL LoadFromFile(LPCSTR lpszPath, COLORREF crBack);
  // Renders the picture into a new bitmap; the caller keeps its reference.
  // A background of 0xFFFFFFFF means no fill under the picture.
  BOOL AdoptPicture(IPicture* pPicture, COLORREF crBack);
};

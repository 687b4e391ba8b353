#include "images/ResourceImage.h"

#include <cstring>

Gdiplus::Image* LoadResourceImage(UINT nID, LPCSTR lpszType, HMODULE hModule) {
  const LPCSTR lpszName = MAKEINTRESOURCEA(LOWORD(nID));
  if (lpszType == RT_BITMAP) {
    HBITMAP hBitmap = ::LoadBitmap(hModule, lpszName);
    Gdiplus::Bitmap* pBitmap = new Gdiplus::Bitmap(hBitmap, nullptr);
    ::DeleteObject(hBitmap);
    return pBitmap;
  }
  if (!hModule) hModule = AfxGetResourceHandle();

  HRSRC hResource = ::FindResourceA(hModule, lpszName, lpszType);
  const DWORD dwSize = ::SizeofResource(hModule, hResource);
  HGLOBAL hResourceData = ::LoadResource(hModule, hResource);
  const void* pResource = ::LockResource(hResourceData);

  // The block is never freed: the image reads its data through the stream
  // for as long as it exists, and the frame image lives as long as the
  // process.
  HGLOBAL hBlock = ::GlobalAlloc(GMEM_FIXED, dwSize);
  void* pBlock = ::GlobalLock(hBlock);
  if (pBlock && pResource && dwSize) std::memcpy(pBlock, pResource, dwSize);

  IStream* pStream = nullptr;
  ::CreateStreamOnHGlobal(hBlock, FALSE, &pStream);
  Gdiplus::Image* pImage = new Gdiplus::Image(pStream, FALSE);

  ::GlobalUnlock(hBlock);
  if (pStream) pStream->Release();
  ::FreeResource(hResourceData);
  return pImage;
}

BOOL ReadResourceBytes(LPCSTR lpszName, LPCSTR lpszType, HMODULE hModule, void* pBuffer, int& nSize) {
  HRSRC hResource = ::FindResourceA(hModule, lpszName, lpszType);
  if (!hResource) return FALSE;
  HGLOBAL hResourceData = ::LoadResource(hModule, hResource);
  if (!hResourceData) return FALSE;
  const void* pResource = ::LockResource(hResourceData);

  BOOL bResult = FALSE;
  if (pResource) {
    const int nResourceSize = static_cast<int>(::SizeofResource(hModule, hResource));
    if (!pBuffer) {
      nSize = nResourceSize;
      bResult = TRUE;
    } else if (nSize >= nResourceSize) {
      std::memcpy(pBuffer, pResource, static_cast<size_t>(nResourceSize));
      bResult = TRUE;
    }
  }
  ::FreeResource(hResourceData);
  return bResult;
}

IPicture* PictureFromMemory(const void* pData, int nCount) {
  if (!pData || nCount <= 0) return nullptr;
  HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nCount));
  if (!hBlock) return nullptr;
  void* pBlock = ::GlobalLock(hBlock);
  std::memcpy(pBlock, pData, static_cast<size_t>(nCount));
  ::GlobalUnlock(hBlock);

  IStream* pStream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(hBlock, TRUE, &pStream)) || !pStream) {
    // Nobody else would free the block.
    ::GlobalFree(hBlock);
    return nullptr;
  }
  IPicture* pPicture = nullptr;
  if (FAILED(::OleLoadPicture(pStream, nCount, FALSE, IID_IPicture, reinterpret_cast<void**>(&pPicture))))
    pPicture = nullptr;
  pStream->Release();
  return pPicture;
}

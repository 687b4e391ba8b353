// Bitmap resources turned into bitmaps in the screen's format.
#include "gdi/GdiObjects.h"
#include "ole/BitmapFile.h"
#include "win32/WinBase.h"

extern "C" HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  HRSRC found = FindResourceA(hInstance, lpBitmapName, RT_BITMAP);
  HGLOBAL loaded = found ? LoadResource(hInstance, found) : nullptr;
  const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  auto pixels = bytes ? winsim::DecodePackedDib(bytes, SizeofResource(hInstance, found)) : nullptr;
  if (!pixels) {
    SetLastError(found ? ERROR_BAD_FORMAT : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return winsim::gdi::NewBitmap(winsim::Surface::ScreenCopy(*pixels), false);
}

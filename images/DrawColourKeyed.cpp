#include "images/DrawColourKeyed.h"

// A mask transfer: a monochrome mask marks the key pixels, the image loses
// them (black), the destination loses everything else (black), and OR-ing
// the two leaves the destination untouched wherever the key was.
void DrawColourKeyed(HDC hdcDest, int x, int y, int nWidth, int nHeight, HBITMAP hBitmap, int xSrc, int ySrc,
                     COLORREF crKey, HPALETTE hPalette) {
  CDC dc;
  dc.Attach(hdcDest);
  CDC imageDC, maskDC, sourceDC;
  imageDC.CreateCompatibleDC(&dc);
  maskDC.CreateCompatibleDC(&dc);
  sourceDC.CreateCompatibleDC(&dc);

  CBitmap image;
  image.CreateCompatibleBitmap(&dc, nWidth, nHeight);
  CBitmap* pOldImage = imageDC.SelectObject(&image);

  if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && hPalette) {
    ::SelectPalette(dc, hPalette, FALSE);
    dc.RealizePalette();
    ::SelectPalette(imageDC, hPalette, FALSE);
  }

  HGDIOBJ hOldSource = ::SelectObject(sourceDC, hBitmap);
  imageDC.BitBlt(0, 0, nWidth, nHeight, &sourceDC, xSrc, ySrc, SRCCOPY);

  CBitmap mask;
  mask.CreateBitmap(nWidth, nHeight, 1, 1, nullptr);
  CBitmap* pOldMask = maskDC.SelectObject(&mask);

  // Key pixels become 1 in the mask.
  imageDC.SetBkColor(crKey);
  maskDC.BitBlt(0, 0, nWidth, nHeight, &imageDC, 0, 0, SRCCOPY);

  // Key pixels of the image become black, the rest stay.
  imageDC.SetBkColor(RGB(0, 0, 0));
  imageDC.SetTextColor(RGB(255, 255, 255));
  imageDC.BitBlt(0, 0, nWidth, nHeight, &maskDC, 0, 0, SRCAND);

  // The destination turns black where the image is opaque.
  dc.SetBkColor(RGB(255, 255, 255));
  dc.SetTextColor(RGB(0, 0, 0));
  dc.BitBlt(x, y, nWidth, nHeight, &maskDC, 0, 0, SRCAND);
  dc.BitBlt(x, y, nWidth, nHeight, &imageDC, 0, 0, SRCPAINT);

  ::SelectObject(sourceDC, hOldSource);
  maskDC.SelectObject(pOldMask);
  imageDC.SelectObject(pOldImage);
  dc.Detach();
}

// Copies part of a bitmap to a DC, leaving out every pixel of a key colour.
#pragma once

#include "framework.h"

void DrawColourKeyed(HDC hdcDest, int x, int y, int nWidth, int nHeight, HBITMAP hBitmap, int xSrc, int ySrc,
                     COLORREF crKey, HPALETTE hPalette);

// GDI surface: device contexts, bitmaps, brushes, regions, fonts and text.
#pragma once

#include "win32/WinDef.h"

#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE

#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH

#define TRANSPARENT 1
#define OPAQUE 2

extern "C" {

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HBRUSH WINAPI GetSysColorBrush(int nIndex);
DWORD WINAPI GetSysColor(int nIndex);
HGDIOBJ WINAPI GetStockObject(int i);
BOOL WINAPI DeleteObject(HGDIOBJ ho);
BOOL WINAPI DeleteDC(HDC hdc);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
int WINAPI SetBkMode(HDC hdc, int mode);

}  // extern "C"

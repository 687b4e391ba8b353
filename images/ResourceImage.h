// Images compiled into the program, or image bytes in memory, turned into
// objects the launcher draws.
#pragma once

#include "framework.h"

// A new GDI+ image of resource `nID` (its low 16 bits) of the given type,
// from `hModule` or, when that is null, the framework's resource module.
// RT_BITMAP resources become GDI+ bitmaps. The caller deletes the image.
Gdiplus::Image* LoadResourceImage(UINT nID, LPCSTR lpszType, HMODULE hModule);

// With a null buffer: stores the resource's size in `nSize`. With a buffer
// of `nSize` bytes: copies the resource into it when it fits.
BOOL ReadResourceBytes(LPCSTR lpszName, LPCSTR lpszType, HMODULE hModule, void* pBuffer, int& nSize);

// A new OLE picture of the image-file bytes (one reference for the caller),
// or null.
IPicture* PictureFromMemory(const void* pData, int nCount);

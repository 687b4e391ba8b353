// Common controls.
#pragma once

#include "WinDef.h"

typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_WIN95_CLASSES 0x000000FF

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

// The platform's API as one include.
#pragma once

#include "win32/WinDef.h"
#include "win32/WinBase.h"
#include "win32/WinUser.h"
#include "win32/CommCtrl.h"
#include "win32/Files.h"
#include "win32/Shell.h"
#include "gdi/WinGdi.h"
#include "ole/Ole.h"
#include "ole/OleAuto.h"
#include "ole/DocHostUIHandler.h"
#include "gdiplus/GdiPlus.h"
#include "wininet/WinInet.h"

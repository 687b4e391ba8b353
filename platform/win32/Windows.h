// The platform's API as one include.
#pragma once

#include "win32/WinDef.h"
#include "win32/WinBase.h"
#include "win32/WinUser.h"

// WinINet surface: the HTTP client and the URL cache.
#pragma once

#include "win32/WinDef.h"

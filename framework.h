// The one platform include of the product code: the framework and, through
// it, the platform's API. This is the only place that knows which platform
// it builds for.
#pragma once

#ifdef _WIN32
// The platform's own headers, and the framework pieces we write ourselves
// over them: what Ostrel.dll needs.
#include <windows.h>
#include <wininet.h>
#include <shellapi.h>
#include <io.h>

#include <cstdio>

#include "afx/AfxString.h"
#include "afx/AfxInet.h"
#else
// The stand-in: framework and platform API over Linux.
#include "afx/Afx.h"
#endif

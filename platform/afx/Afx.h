// The framework: everything the product code uses of it, and the platform API.
#pragma once

#include "win32/Windows.h"
#include "afx/AfxString.h"
#include "afx/AfxInet.h"

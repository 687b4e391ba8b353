// Files with the Windows C run-time's semantics: _access, rename, DeleteFileA.
#pragma once

#include "WinDef.h"

// Shell32 surface: ShellExecuteA, tray icons.
#pragma once

#include "WinDef.h"

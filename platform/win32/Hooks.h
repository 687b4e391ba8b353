// Thread hooks (WH_CBT) that the framework uses to subclass windows it creates.
#pragma once

#include "WinUser.h"

namespace winsim {

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);
void ResetHooks();

}  // namespace winsim

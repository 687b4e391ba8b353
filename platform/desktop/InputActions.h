// The user's elementary actions, as the script player performs them.
#pragma once

#include <functional>

#include "win32/WinDef.h"

namespace winsim {

void MouseMove(POINT p);
void LeftDown(POINT p);
void LeftUp(POINT p);
void LeftDoubleClick(POINT p);
void RightClick(POINT p);
void PressKey(UINT vk, std::function<bool(UINT)>& interceptor);

}  // namespace winsim

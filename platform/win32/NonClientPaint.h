// The default drawing of a window's frame and caption.
#pragma once

#include "Window.h"

namespace winsim {

void PaintDefaultFrame(Window* w);

}  // namespace winsim

// The application icon: a crescent moon over the lake, in a gold ring.
#pragma once

#include "Canvas.h"

namespace art {

Canvas PaintIcon(int size);

}  // namespace art

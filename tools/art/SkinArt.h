// The skinned frame's 24-bit bitmaps: caption, borders and the caption
// buttons' three-frame strips (plain, lighter, darker).
#pragma once

#include <map>

#include "Canvas.h"
#include "TextPainter.h"

namespace art {

// Bitmaps by resource id, 155 to 168 (163 is not used).
std::map<int, Canvas> PaintSkin(TextPainter& text);

}  // namespace art

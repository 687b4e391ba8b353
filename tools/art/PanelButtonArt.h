// The panel's image buttons: close and minimise (26 x 26) and the four link
// buttons (105 x 37), each as normal, hot and disabled images.
#pragma once

#include <map>

#include "Canvas.h"
#include "TextPainter.h"

namespace art {

// Images by resource id, 168 to 185.
std::map<int, Canvas> PaintPanelButtons(TextPainter& text);

}  // namespace art

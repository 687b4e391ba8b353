// The launcher's frame image: a shaped, partly transparent 1240 x 800 picture
// with a dusk-lake medallion, the game's banner and a body that leaves room
// for the panel's buttons and its browser.
#pragma once

#include "Canvas.h"
#include "TextPainter.h"

namespace art {

inline constexpr int kFrameWidth = 1240;
inline constexpr int kFrameHeight = 800;

Canvas PaintFrame(TextPainter& text);

}  // namespace art

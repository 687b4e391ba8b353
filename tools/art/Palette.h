// Colours shared by the pieces of art, so that they read as one launcher.
#pragma once

#include "Canvas.h"

namespace art {

inline const Colour kGold = Hex(0xD9B46A);
inline const Colour kGoldDeep = Hex(0x8C6428);
inline const Colour kInk = Hex(0x0B0E18);
inline const Colour kBodyTop = Hex(0x2A3152);
inline const Colour kBodyBottom = Hex(0x121829);
// The flat plate of the frame under the panel's buttons: the button images
// are drawn on it, so that they sit on the frame seamlessly wherever the
// panel lies within a few pixels.
inline const Colour kPlate = Hex(0x1C2340);
inline const Colour kCaptionTop = Hex(0x323B5E);
inline const Colour kCaptionBottom = Hex(0x161C31);
inline const Colour kParchment = Hex(0xF3E1B0);

}  // namespace art

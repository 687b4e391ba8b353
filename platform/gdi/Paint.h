// Drawing primitives shared by the GDI calls, working in device pixels.
#pragma once

#include "gdi/GdiObjects.h"

namespace winsim::gdi {

// The logical rectangle moved to device pixels and limited to what the DC may
// draw on; empty when nothing remains.
RECT DeviceRect(const DeviceContext& dc, const RECT& logical);
bool IsEmpty(const RECT& r);
// Fills a logical rectangle with a colour (alpha 0, as GDI leaves it).
void FillSolid(DeviceContext& dc, const RECT& logical, Argb colour);
// Blends a colour into one device pixel with a coverage of 0..255; GDI's
// text and icons leave alpha 0 behind.
void BlendPixel(Surface& s, int x, int y, Argb colour, unsigned coverage);

}  // namespace winsim::gdi

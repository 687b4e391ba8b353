// The layout a BITMAPINFO describes, as read from or written to the header.
#pragma once

#include <memory>

#include "gdi/Surface.h"
#include "gdi/WinGdi.h"

namespace winsim::gdi {

struct DibFormat {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool bottomUp = true;
  bool rgb565 = false;
  int stride = 0;
  int colourCount = 0;  // entries of the colour table (1 and 8 bits)

  static DibFormat Of(const Surface& s);
  // False for layouts the stand-in does not draw in. `masks` are the three
  // DWORDs after the header (used with BI_BITFIELDS).
  bool Read(const BITMAPINFOHEADER& header, const DWORD* masks);
  // Fills a header (and the masks of a 5-6-5 layout) as a format query does.
  void Write(BITMAPINFOHEADER& header, DWORD* masks) const;
  std::shared_ptr<Surface> NewSurface(const RGBQUAD* colours) const;
  // Stores a colour into a row of this layout (16, 24 and 32 bits).
  void Store(uint8_t* row, int x, Argb colour) const;
};

}  // namespace winsim::gdi

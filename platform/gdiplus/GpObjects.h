// What GDI+'s opaque objects hold inside the stand-in.
#pragma once

#include <cstdint>
#include <vector>

#include "gdiplus/GdiPlusFlat.h"

namespace Gdiplus {

struct GpImage {
  int width = 0;
  int height = 0;
  // Premultiplied BGRA, top row first: what drawing composes.
  std::vector<uint32_t> pixels;
  IStream* stream = nullptr;  // an image read from a stream keeps it

  // Stretches of a row whose pixels are all clear, all opaque or mixed, so
  // that drawing skips the clear ones and copies the opaque ones whole.
  struct Span {
    int start;
    int end;
    enum Kind { Clear, Opaque, Mixed } kind;
  };
  std::vector<std::vector<Span>> spans;  // per row, made at the first draw
  const std::vector<Span>& SpansOf(int row);
};

struct GpGraphics {
  HDC hdc = nullptr;
  SmoothingMode smoothing = SmoothingModeDefault;
};

}  // namespace Gdiplus

namespace winsim::gdiplus {

// Whether GdiplusStartup has been called more often than GdiplusShutdown.
bool Started();

}  // namespace winsim::gdiplus

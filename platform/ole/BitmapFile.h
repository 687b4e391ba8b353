// Device-independent bitmaps decoded into a surface: bitmap files (a
// BITMAPFILEHEADER first) and packed ones as bitmap resources hold them
// (the information header, its colours, then the pixels).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gdi/Surface.h"

namespace winsim {

// Null when the bytes are not a bitmap the stand-in reads.
std::shared_ptr<Surface> DecodeBitmapFile(const uint8_t* bytes, size_t size);
// `pixelOffset` counts from the information header; 0 means right after
// its colour table.
std::shared_ptr<Surface> DecodePackedDib(const uint8_t* dib, size_t size, size_t pixelOffset = 0);

}  // namespace winsim

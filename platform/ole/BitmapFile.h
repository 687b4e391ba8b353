// Bitmap files (a BITMAPFILEHEADER, the information header, colours and
// pixels) decoded into a surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gdi/Surface.h"

namespace winsim {

// Null when the bytes are not a bitmap file the stand-in reads.
std::shared_ptr<Surface> DecodeBitmapFile(const uint8_t* bytes, size_t size);

}  // namespace winsim

// PNG files decoded with libpng into 8-bit BGRA (not premultiplied).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winsim {

bool IsPng(const uint8_t* bytes, size_t size);
// Rows top first; false when the bytes are not a PNG libpng can read.
bool DecodePng(const uint8_t* bytes, size_t size, int& width, int& height, std::vector<uint32_t>& pixels);

}  // namespace winsim

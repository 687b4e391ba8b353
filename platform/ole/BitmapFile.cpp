#include "ole/BitmapFile.h"

#include <cstring>

#include "gdi/DibFormat.h"

namespace winsim {

std::shared_ptr<Surface> DecodeBitmapFile(const uint8_t* bytes, size_t size) {
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  if (!bytes || size < sizeof file + sizeof info) return nullptr;
  std::memcpy(&file, bytes, sizeof file);
  std::memcpy(&info, bytes + sizeof file, sizeof info);
  if (file.bfType != 0x4D42 || info.biSize < sizeof info || info.biSize > size - sizeof file) return nullptr;

  const uint8_t* afterHeader = bytes + sizeof file + info.biSize;
  DWORD masks[3] = {};
  const size_t available = size - sizeof file - info.biSize;
  if (info.biCompression == BI_BITFIELDS && available >= sizeof masks) std::memcpy(masks, afterHeader, sizeof masks);
  gdi::DibFormat format;
  if (!format.Read(info, masks)) return nullptr;

  const size_t tableBytes = static_cast<size_t>(format.colourCount) * sizeof(RGBQUAD);
  const size_t pixelBytes = static_cast<size_t>(format.stride) * static_cast<size_t>(format.height);
  if (tableBytes > available || file.bfOffBits > size || size - file.bfOffBits < pixelBytes) return nullptr;
  auto surface = format.NewSurface(reinterpret_cast<const RGBQUAD*>(afterHeader));
  std::memcpy(surface->Bits(), bytes + file.bfOffBits, pixelBytes);
  return surface;
}

}  // namespace winsim

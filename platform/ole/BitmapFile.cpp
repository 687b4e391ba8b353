#include "ole/BitmapFile.h"

#include <cstring>

#include "gdi/DibFormat.h"

namespace winsim {

std::shared_ptr<Surface> DecodePackedDib(const uint8_t* dib, size_t size, size_t pixelOffset) {
  BITMAPINFOHEADER info;
  if (!dib || size < sizeof info) return nullptr;
  std::memcpy(&info, dib, sizeof info);
  if (info.biSize < sizeof info || info.biSize > size) return nullptr;
  DWORD masks[3] = {};
  const size_t available = size - info.biSize;
  if (info.biCompression == BI_BITFIELDS && available >= sizeof masks) std::memcpy(masks, dib + info.biSize, sizeof masks);
  gdi::DibFormat format;
  if (!format.Read(info, masks)) return nullptr;

  const size_t tableBytes = static_cast<size_t>(format.colourCount) * sizeof(RGBQUAD) +
                            (info.biCompression == BI_BITFIELDS ? sizeof masks : 0);
  const size_t pixelBytes = static_cast<size_t>(format.stride) * static_cast<size_t>(format.height);
  if (pixelOffset == 0) pixelOffset = info.biSize + tableBytes;
  if (tableBytes > available || pixelOffset > size || size - pixelOffset < pixelBytes) return nullptr;
  auto surface = format.NewSurface(reinterpret_cast<const RGBQUAD*>(dib + info.biSize));
  std::memcpy(surface->Bits(), dib + pixelOffset, pixelBytes);
  return surface;
}

std::shared_ptr<Surface> DecodeBitmapFile(const uint8_t* bytes, size_t size) {
  BITMAPFILEHEADER file;
  if (!bytes || size < sizeof file) return nullptr;
  std::memcpy(&file, bytes, sizeof file);
  if (file.bfType != 0x4D42 || file.bfOffBits < sizeof file + sizeof(BITMAPINFOHEADER)) return nullptr;
  return DecodePackedDib(bytes + sizeof file, size - sizeof file, file.bfOffBits - sizeof file);
}

}  // namespace winsim

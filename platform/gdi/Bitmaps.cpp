// Bitmaps: device-dependent ones in the screen's format, monochrome ones,
// DIB sections, and reading pixels out in a device-independent format.
#include <algorithm>
#include <cstring>

#include "gdi/DibFormat.h"
#include "gdi/GdiObjects.h"
#include "win32/Unsupported.h"

using namespace winsim;
using namespace winsim::gdi;

namespace {

bool HoldsMonochrome(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  return dc && dc->kind == DeviceContext::Kind::Memory && dc->surface && dc->surface->IsMonochrome();
}

// Rows of the pixels in a bitmap of `bpp` bits laid out as `out` asks.
void CopyRows(const Surface& from, UINT start, UINT lines, uint8_t* bits, const DibFormat& out) {
  for (UINT line = 0; line < lines; ++line) {
    // Scan line 0 of a bottom-up DIB is the image's bottom row.
    const int y = out.bottomUp ? from.height - 1 - static_cast<int>(start + line) : static_cast<int>(start + line);
    uint8_t* row = bits + static_cast<size_t>(line) * static_cast<size_t>(out.stride);
    if (out.bitsPerPixel == from.bitsPerPixel && out.rgb565 == from.rgb565) {
      std::memcpy(row, from.Row(y), static_cast<size_t>(std::min(out.stride, from.stride)));
      continue;
    }
    for (int x = 0; x < std::min(out.width, from.width); ++x) out.Store(row, x, from.Colour(x, y));
  }
}

}  // namespace

extern "C" HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  if (!FindDC(hdc) || cx < 0 || cy < 0) return nullptr;
  if (cx == 0 || cy == 0) return NewBitmap(Surface::Create(1, 1, 1), false);
  return NewBitmap(Surface::Create(cx, cy, HoldsMonochrome(hdc) ? 1 : kScreenBitsPerPixel), false);
}

extern "C" HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  if (nWidth <= 0 || nHeight <= 0 || nPlanes != 1) return nullptr;
  if (nBitCount != 1 && nBitCount != 32) {
    WINSIM_UNSUPPORTED("device-dependent bitmaps other than 1 or 32 bits per pixel");
    return nullptr;
  }
  auto surface = Surface::Create(nWidth, nHeight, static_cast<int>(nBitCount));
  if (lpBits) {
    // The caller's rows are 16-bit aligned.
    const int sourceStride = ((nWidth * static_cast<int>(nBitCount) + 15) / 16) * 2;
    for (int y = 0; y < nHeight; ++y)
      std::memcpy(surface->Row(y), static_cast<const uint8_t*>(lpBits) + y * sourceStride, static_cast<size_t>(sourceStride));
  }
  return NewBitmap(std::move(surface), false);
}

extern "C" HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                           DWORD) {
  if (ppvBits) *ppvBits = nullptr;
  if (usage != DIB_RGB_COLORS || hSection) {
    WINSIM_UNSUPPORTED("palette-index colours or file-mapped sections");
    return nullptr;
  }
  DibFormat format;
  if (!pbmi || !format.Read(pbmi->bmiHeader, reinterpret_cast<const DWORD*>(pbmi->bmiColors))) return nullptr;
  auto surface = format.NewSurface(pbmi->bmiColors);
  if (ppvBits) *ppvBits = surface->Bits();
  return NewBitmap(std::move(surface), true);
}

extern "C" int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
                                UINT usage) {
  BitmapObject* b = FindBitmap(hbm);
  if (!FindDC(hdc) || !b || !lpbmi || usage != DIB_RGB_COLORS) return 0;
  const Surface& from = *b->surface;
  BITMAPINFOHEADER& header = lpbmi->bmiHeader;
  if (!lpvBits) {
    if (header.biBitCount == 0) DibFormat::Of(from).Write(header, reinterpret_cast<DWORD*>(lpbmi->bmiColors));
    else header.biSizeImage = static_cast<DWORD>(Surface::StrideFor(from.width, header.biBitCount) * from.height);
    return from.height;
  }
  DibFormat out;
  if (!out.Read(header, reinterpret_cast<const DWORD*>(lpbmi->bmiColors))) return 0;
  const bool sameFormat = out.bitsPerPixel == from.bitsPerPixel && out.rgb565 == from.rgb565;
  if (!sameFormat && out.bitsPerPixel < 16) {
    WINSIM_UNSUPPORTED("reading a bitmap into an indexed format other than its own");
    return 0;
  }
  if (start >= static_cast<UINT>(from.height)) return 0;
  const UINT lines = std::min(cLines, static_cast<UINT>(from.height) - start);
  CopyRows(from, start, lines, static_cast<uint8_t*>(lpvBits), out);
  for (size_t i = 0; sameFormat && i < from.colours.size(); ++i)
    std::memcpy(&lpbmi->bmiColors[i], &from.colours[i], sizeof(RGBQUAD));
  return static_cast<int>(lines);
}

// GDI+ images: decoded from a stream (PNG, or a bitmap file) or taken from a
// GDI bitmap, kept premultiplied for drawing.
#include <vector>

#include "gdi/GdiObjects.h"
#include "gdiplus/GpObjects.h"
#include "gdiplus/PngDecoder.h"
#include "ole/BitmapFile.h"

using namespace Gdiplus;

namespace {

uint32_t Premultiplied(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  uint32_t out = a << 24;
  for (int shift = 0; shift < 24; shift += 8) out |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
  return out;
}

bool ReadRest(IStream* stream, std::vector<uint8_t>& bytes) {
  STATSTG stat;
  ULARGE_INTEGER position;
  LARGE_INTEGER none{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(none, STREAM_SEEK_CUR, &position)) ||
      position.QuadPart > stat.cbSize.QuadPart)
    return false;
  bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart - position.QuadPart));
  ULONG read = 0;
  return SUCCEEDED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) && read == bytes.size();
}

bool Decode(const std::vector<uint8_t>& bytes, GpImage& image) {
  if (winsim::DecodePng(bytes.data(), bytes.size(), image.width, image.height, image.pixels)) {
    for (uint32_t& p : image.pixels) p = Premultiplied(p);
    return true;
  }
  auto bitmap = winsim::DecodeBitmapFile(bytes.data(), bytes.size());
  if (!bitmap) return false;
  image.width = bitmap->width;
  image.height = bitmap->height;
  image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  // A bitmap file's fourth byte is not alpha: the image is opaque.
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] =
          0xFF000000u | winsim::RgbOf(bitmap->Colour(x, y));
  return true;
}

}  // namespace

extern "C" Status WINAPI GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  if (!image) return InvalidParameter;
  *image = nullptr;
  if (!winsim::gdiplus::Started()) return GdiplusNotInitialized;
  if (!stream) return InvalidParameter;
  std::vector<uint8_t> bytes;
  if (!ReadRest(stream, bytes)) return InvalidParameter;
  auto* made = new GpImage();
  if (!Decode(bytes, *made)) {
    delete made;
    return bytes.empty() ? InvalidParameter : UnknownImageFormat;
  }
  made->stream = stream;
  stream->AddRef();
  *image = made;
  return Ok;
}

extern "C" Status WINAPI GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
  return GdipLoadImageFromStream(stream, image);
}

extern "C" Status WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (!winsim::gdiplus::Started()) return GdiplusNotInitialized;
  winsim::gdi::BitmapObject* source = winsim::gdi::FindBitmap(hbm);
  if (!source) return InvalidParameter;
  const winsim::Surface& s = *source->surface;
  auto* made = new GpImage();
  made->width = s.width;
  made->height = s.height;
  made->pixels.resize(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
  // The bitmap's alpha bytes are not taken over: the image is opaque.
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      made->pixels[static_cast<size_t>(y) * static_cast<size_t>(s.width) + static_cast<size_t>(x)] =
          0xFF000000u | winsim::RgbOf(s.Colour(x, y));
  *bitmap = made;
  return Ok;
}

extern "C" Status WINAPI GdipDisposeImage(GpImage* image) {
  if (!image) return InvalidParameter;
  if (image->stream) image->stream->Release();
  delete image;
  return Ok;
}

extern "C" Status WINAPI GdipGetImageWidth(GpImage* image, UINT* width) {
  if (!image || !width) return InvalidParameter;
  *width = static_cast<UINT>(image->width);
  return Ok;
}

extern "C" Status WINAPI GdipGetImageHeight(GpImage* image, UINT* height) {
  if (!image || !height) return InvalidParameter;
  *height = static_cast<UINT>(image->height);
  return Ok;
}

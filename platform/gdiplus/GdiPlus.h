// GDI+ classes: images from streams and bitmaps, and graphics on a DC.
#pragma once

#include <cstddef>

#include "gdiplus/GdiPlusFlat.h"

namespace Gdiplus {

// Objects live on GDI+'s own heap.
class GdiplusBase {
 public:
  void* operator new(size_t size) { return GdipAlloc(size); }
  void operator delete(void* p) { GdipFree(p); }
  void* operator new[](size_t size) { return GdipAlloc(size); }
  void operator delete[](void* p) { GdipFree(p); }
};

class Image : public GdiplusBase {
 public:
  explicit Image(IStream* stream, BOOL useEmbeddedColorManagement = FALSE) {
    lastResult = useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &nativeImage)
                                            : GdipLoadImageFromStream(stream, &nativeImage);
  }
  virtual ~Image() { GdipDisposeImage(nativeImage); }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  UINT GetWidth() {
    UINT width = 0;
    SetStatus(GdipGetImageWidth(nativeImage, &width));
    return width;
  }
  UINT GetHeight() {
    UINT height = 0;
    SetStatus(GdipGetImageHeight(nativeImage, &height));
    return height;
  }
  // The last error, which reading clears.
  Status GetLastStatus() const {
    const Status status = lastResult;
    lastResult = Ok;
    return status;
  }

 protected:
  Image() = default;
  Status SetStatus(Status status) const {
    if (status != Ok) lastResult = status;
    return status;
  }

  GpImage* nativeImage = nullptr;
  mutable Status lastResult = Ok;

  friend class Graphics;
};

class Bitmap : public Image {
 public:
  Bitmap(HBITMAP hbm, HPALETTE hpal) { lastResult = GdipCreateBitmapFromHBITMAP(hbm, hpal, &nativeImage); }
  static Bitmap* FromHBITMAP(HBITMAP hbm, HPALETTE hpal) { return new Bitmap(hbm, hpal); }
};

class Graphics : public GdiplusBase {
 public:
  explicit Graphics(HDC hdc) { lastResult = GdipCreateFromHDC(hdc, &nativeGraphics); }
  ~Graphics() { GdipDeleteGraphics(nativeGraphics); }
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  Status SetSmoothingMode(SmoothingMode mode) { return SetStatus(GdipSetSmoothingMode(nativeGraphics, mode)); }
  Status DrawImage(Image* image, INT x, INT y, INT width, INT height) {
    return SetStatus(GdipDrawImageRectI(nativeGraphics, image ? image->nativeImage : nullptr, x, y, width, height));
  }
  Status GetLastStatus() const {
    const Status status = lastResult;
    lastResult = Ok;
    return status;
  }

 private:
  Status SetStatus(Status status) const {
    if (status != Ok) lastResult = status;
    return status;
  }
  GpGraphics* nativeGraphics = nullptr;
  mutable Status lastResult = Ok;
};

}  // namespace Gdiplus

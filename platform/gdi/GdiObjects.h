// The stand-in's GDI objects and device contexts behind their handles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gdi/Surface.h"
#include "gdi/WinGdi.h"

namespace winsim::gdi {

struct GdiObject {
  enum class Type { Bitmap, Brush, Font, Region, Palette };
  explicit GdiObject(Type t) : type(t) {}
  virtual ~GdiObject() = default;
  Type type;
  bool stock = false;
  HDC selectedInto = nullptr;  // bitmaps: the one DC that holds it
};

struct BitmapObject : GdiObject {
  BitmapObject() : GdiObject(Type::Bitmap) {}
  std::shared_ptr<Surface> surface;
  bool section = false;  // a DIB section: its memory is the caller's to see
};

struct BrushObject : GdiObject {
  BrushObject() : GdiObject(Type::Brush) {}
  COLORREF colour = 0;
  bool hollow = false;
};

struct FontObject : GdiObject {
  FontObject() : GdiObject(Type::Font) {}
  LOGFONTA logFont{};
};

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(Type::Region) {}
  // Y-X banded: bands top to bottom, rectangles of a band left to right,
  // none overlapping, neighbours in a band never touching.
  std::vector<RECT> rects;
};

struct DeviceContext {
  enum class Kind { Memory, Window, Display, Information };
  Kind kind = Kind::Memory;
  std::shared_ptr<Surface> surface;  // what drawing lands in (none for Display/Information)
  POINT origin{};                    // device position of logical (0, 0)
  RECT clip{};                       // device rectangle drawing is limited to
  HWND window = nullptr;
  HBITMAP bitmap = nullptr;  // memory DCs
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HPALETTE palette = nullptr;
  COLORREF bkColour = 0xFFFFFF;
  COLORREF textColour = 0x000000;
  int bkMode = OPAQUE;
};

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
GdiObject* FindObject(HGDIOBJ handle);
template <typename T>
T* Find(HGDIOBJ handle, GdiObject::Type type) {
  GdiObject* o = FindObject(handle);
  return o && o->type == type ? static_cast<T*>(o) : nullptr;
}
inline BitmapObject* FindBitmap(HGDIOBJ h) { return Find<BitmapObject>(h, GdiObject::Type::Bitmap); }
inline BrushObject* FindBrush(HGDIOBJ h) { return Find<BrushObject>(h, GdiObject::Type::Brush); }
inline FontObject* FindFont(HGDIOBJ h) { return Find<FontObject>(h, GdiObject::Type::Font); }
inline RegionObject* FindRegion(HGDIOBJ h) { return Find<RegionObject>(h, GdiObject::Type::Region); }
void RemoveObject(HGDIOBJ handle);

HDC AddDC(std::unique_ptr<DeviceContext> dc);
DeviceContext* FindDC(HDC hdc);
void RemoveDC(HDC hdc);

// Colour bitmaps are in the screen's format.
inline constexpr int kScreenBitsPerPixel = 32;
inline constexpr int kScreenDpi = 96;

HBITMAP NewBitmap(std::shared_ptr<Surface> surface, bool section);
// The 1 x 1 monochrome bitmap every new memory DC starts with.
HBITMAP DefaultBitmap();
// A memory DC's surface follows the bitmap selected into it.
void AttachBitmap(DeviceContext& dc, HDC hdc, HBITMAP bitmap);

// Whether a brush or font is selected into any DC (it cannot be deleted).
bool IsSelectedAnywhere(HGDIOBJ handle);

// Objects and DCs alive that are not stock objects (tests count leaks).
size_t LiveObjectCount();
size_t LiveDCCount();

}  // namespace winsim::gdi

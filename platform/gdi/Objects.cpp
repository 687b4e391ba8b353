// Object lifetime and description: stock objects, DeleteObject, GetObject.
#include <map>

#include "gdi/GdiObjects.h"
#include "win32/Unsupported.h"

using namespace winsim::gdi;

namespace {

HGDIOBJ MakeStock(int index) {
  std::unique_ptr<GdiObject> object;
  const COLORREF greys[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64), RGB(0, 0, 0)};
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) {
    auto brush = std::make_unique<BrushObject>();
    brush->hollow = index == NULL_BRUSH;
    brush->colour = brush->hollow ? 0 : greys[index];
    object = std::move(brush);
  } else if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) {
    auto font = std::make_unique<FontObject>();
    font->logFont.lfHeight = index == SYSTEM_FONT ? 16 : -12;
    font->logFont.lfWeight = index == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
    object = std::move(font);
  } else {
    return nullptr;
  }
  object->stock = true;
  return AddObject(std::move(object));
}

void DescribeBitmap(const BitmapObject& b, BITMAP& out) {
  const winsim::Surface& s = *b.surface;
  out.bmType = 0;
  out.bmWidth = s.width;
  out.bmHeight = s.height;
  // Device-dependent bitmaps report rows rounded to 16 bits; sections their
  // real, 32-bit aligned rows.
  out.bmWidthBytes = b.section ? s.stride : ((s.width * s.bitsPerPixel + 15) / 16) * 2;
  out.bmPlanes = 1;
  out.bmBitsPixel = static_cast<WORD>(s.bitsPerPixel);
  out.bmBits = b.section ? const_cast<uint8_t*>(s.Bits()) : nullptr;
}

void DescribeSection(const BitmapObject& b, DIBSECTION& out) {
  const winsim::Surface& s = *b.surface;
  out = DIBSECTION{};
  DescribeBitmap(b, out.dsBm);
  out.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  out.dsBmih.biWidth = s.width;
  out.dsBmih.biHeight = s.bottomUp ? s.height : -s.height;
  out.dsBmih.biPlanes = 1;
  out.dsBmih.biBitCount = static_cast<WORD>(s.bitsPerPixel);
  out.dsBmih.biCompression = s.rgb565 ? BI_BITFIELDS : BI_RGB;
  out.dsBmih.biSizeImage = static_cast<DWORD>(s.stride * s.height);
  if (s.rgb565) out.dsBitfields[0] = 0xF800, out.dsBitfields[1] = 0x07E0, out.dsBitfields[2] = 0x001F;
}

}  // namespace

extern "C" HGDIOBJ WINAPI GetStockObject(int i) {
  static std::map<int, HGDIOBJ> stock;
  auto it = stock.find(i);
  if (it != stock.end()) return it->second;
  HGDIOBJ made = MakeStock(i);
  if (!made) {
    WINSIM_UNSUPPORTED("stock object");
    return nullptr;
  }
  return stock[i] = made;
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  GdiObject* object = FindObject(ho);
  if (!object) return FALSE;
  if (object->stock) return TRUE;
  // An object still selected into a DC stays; the platform refuses it.
  if (object->selectedInto || IsSelectedAnywhere(ho)) return FALSE;
  RemoveObject(ho);
  return TRUE;
}

extern "C" DWORD WINAPI GetObjectType(HGDIOBJ h) {
  if (DeviceContext* dc = FindDC(static_cast<HDC>(h))) return dc->kind == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
  GdiObject* object = FindObject(h);
  if (!object) return 0;
  switch (object->type) {
    case GdiObject::Type::Bitmap: return OBJ_BITMAP;
    case GdiObject::Type::Brush: return OBJ_BRUSH;
    case GdiObject::Type::Font: return OBJ_FONT;
    case GdiObject::Type::Region: return OBJ_REGION;
    default: return OBJ_PAL;
  }
}

extern "C" int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  GdiObject* object = FindObject(h);
  if (!object) return 0;
  if (BitmapObject* b = FindBitmap(h)) {
    if (!pv) return b->section ? static_cast<int>(sizeof(DIBSECTION)) : static_cast<int>(sizeof(BITMAP));
    if (b->section && c >= static_cast<int>(sizeof(DIBSECTION))) {
      DescribeSection(*b, *static_cast<DIBSECTION*>(pv));
      return sizeof(DIBSECTION);
    }
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    DescribeBitmap(*b, *static_cast<BITMAP*>(pv));
    return sizeof(BITMAP);
  }
  if (FontObject* f = FindFont(h)) {
    if (!pv) return sizeof(LOGFONTA);
    if (c < static_cast<int>(sizeof(LOGFONTA))) return 0;
    *static_cast<LOGFONTA*>(pv) = f->logFont;
    return sizeof(LOGFONTA);
  }
  WINSIM_UNSUPPORTED("GetObject on a brush, region or palette");
  return 0;
}

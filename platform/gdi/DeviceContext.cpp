// Device contexts: memory DCs over bitmaps, the display and its information
// context, and the state drawing reads (colours, background mode, selection).
#include <cstring>

#include "desktop/Desktop.h"
#include "gdi/GdiObjects.h"
#include "win32/Unsupported.h"

using namespace winsim::gdi;

namespace {

HDC NewDC(DeviceContext::Kind kind) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = kind;
  dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  return AddDC(std::move(dc));
}

bool IsDisplay(LPCSTR driver) { return driver && std::strcmp(driver, "DISPLAY") == 0; }

HGDIOBJ SelectBitmap(HDC hdc, DeviceContext& dc, HBITMAP bitmap) {
  if (dc.kind != DeviceContext::Kind::Memory) {
    WINSIM_UNSUPPORTED("a bitmap selected into a DC that is not a memory DC");
    return nullptr;
  }
  BitmapObject* b = FindBitmap(bitmap);
  if (b->selectedInto && b->selectedInto != hdc) return nullptr;  // a bitmap lives in one DC at a time
  HBITMAP previous = dc.bitmap;
  AttachBitmap(dc, hdc, bitmap);
  return previous;
}

}  // namespace

extern "C" HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !FindDC(hdc)) return nullptr;
  HDC memory = NewDC(DeviceContext::Kind::Memory);
  AttachBitmap(*FindDC(memory), memory, DefaultBitmap());
  return memory;
}

extern "C" HDC WINAPI CreateDCA(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
  if (!IsDisplay(driver)) {
    WINSIM_UNSUPPORTED("a device other than \"DISPLAY\"");
    return nullptr;
  }
  return NewDC(DeviceContext::Kind::Display);
}

extern "C" HDC WINAPI CreateICA(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
  if (!IsDisplay(driver)) {
    WINSIM_UNSUPPORTED("a device other than \"DISPLAY\"");
    return nullptr;
  }
  return NewDC(DeviceContext::Kind::Information);
}

extern "C" BOOL WINAPI DeleteDC(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (BitmapObject* b = FindBitmap(dc->bitmap); b && !b->stock) b->selectedInto = nullptr;
  RemoveDC(hdc);
  return TRUE;
}

extern "C" int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (!FindDC(hdc)) return 0;
  switch (index) {
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return kScreenDpi;
    case BITSPIXEL: return kScreenBitsPerPixel;
    case PLANES: return 1;
    case HORZRES: return winsim::Desktop().screenWidth;
    case VERTRES: return winsim::Desktop().screenHeight;
    default: WINSIM_UNSUPPORTED("device capability index"); return 0;
  }
}

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = FindDC(hdc);
  GdiObject* object = FindObject(h);
  if (!dc || !object) return nullptr;
  switch (object->type) {
    case GdiObject::Type::Bitmap: return SelectBitmap(hdc, *dc, static_cast<HBITMAP>(h));
    case GdiObject::Type::Brush: {
      HGDIOBJ previous = dc->brush;
      dc->brush = static_cast<HBRUSH>(h);
      return previous;
    }
    case GdiObject::Type::Font: {
      HGDIOBJ previous = dc->font;
      dc->font = static_cast<HFONT>(h);
      return previous;
    }
    default: WINSIM_UNSUPPORTED("selecting a region or palette with SelectObject"); return HGDI_ERROR;
  }
}

extern "C" HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    default: WINSIM_UNSUPPORTED("object type"); return nullptr;
  }
}

extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  const COLORREF previous = dc->bkColour;
  dc->bkColour = color & 0x00FFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  return dc ? dc->bkColour : CLR_INVALID;
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc) return CLR_INVALID;
  const COLORREF previous = dc->textColour;
  dc->textColour = color & 0x00FFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  return dc ? dc->textColour : CLR_INVALID;
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

extern "C" int WINAPI GetBkMode(HDC hdc) {
  DeviceContext* dc = FindDC(hdc);
  return dc ? dc->bkMode : 0;
}

extern "C" COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc || !dc->surface) return CLR_INVALID;
  const int dx = x + dc->origin.x, dy = y + dc->origin.y;
  const RECT& c = dc->clip;
  if (dx < c.left || dy < c.top || dx >= c.right || dy >= c.bottom) return CLR_INVALID;
  return winsim::ColorRefFromArgb(dc->surface->Colour(dx, dy));
}

extern "C" COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext* dc = FindDC(hdc);
  if (!dc || !dc->surface) return CLR_INVALID;
  const int dx = x + dc->origin.x, dy = y + dc->origin.y;
  const RECT& c = dc->clip;
  if (dx < c.left || dy < c.top || dx >= c.right || dy >= c.bottom) return CLR_INVALID;
  dc->surface->SetColour(dx, dy, winsim::ArgbFromColorRef(color));
  return winsim::ColorRefFromArgb(dc->surface->Colour(dx, dy));
}

extern "C" HPALETTE WINAPI SelectPalette(HDC, HPALETTE, BOOL) {
  // The display is a 32-bit device without palettes (RASTERCAPS says so).
  WINSIM_UNSUPPORTED("palettes");
  return nullptr;
}

extern "C" UINT WINAPI RealizePalette(HDC) {
  WINSIM_UNSUPPORTED("palettes");
  return GDI_ERROR;
}

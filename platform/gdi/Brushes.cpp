// Solid brushes, the system colours and filling rectangles.
#include "gdi/GdiObjects.h"
#include "gdi/Paint.h"
#include "win32/Unsupported.h"

using namespace winsim::gdi;

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<BrushObject>();
  brush->colour = color & 0x00FFFFFF;
  return static_cast<HBRUSH>(AddObject(std::move(brush)));
}

extern "C" DWORD WINAPI GetSysColor(int nIndex) {
  switch (nIndex) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    default: WINSIM_UNSUPPORTED("system colour index"); return 0;
  }
}

extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  static HBRUSH brushes[3] = {};
  const int slot = nIndex == COLOR_WINDOW ? 0 : nIndex == COLOR_WINDOWTEXT ? 1 : nIndex == COLOR_BTNFACE ? 2 : -1;
  if (slot < 0) {
    WINSIM_UNSUPPORTED("system colour index");
    return nullptr;
  }
  if (!brushes[slot]) {
    brushes[slot] = CreateSolidBrush(GetSysColor(nIndex));
    FindObject(brushes[slot])->stock = true;  // system brushes are never deleted
  }
  return brushes[slot];
}

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = FindDC(hDC);
  // A small integer is a system colour index plus one, as window classes use.
  const auto index = reinterpret_cast<uintptr_t>(hbr);
  if (index > 0 && index <= 31) hbr = GetSysColorBrush(static_cast<int>(index - 1));
  BrushObject* brush = FindBrush(hbr);
  if (!dc || !lprc || !brush) return 0;
  if (!brush->hollow) FillSolid(*dc, *lprc, winsim::ArgbFromColorRef(brush->colour));
  return 1;
}

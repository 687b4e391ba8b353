// Placeholders until GDI draws: window DCs and brushes exist, nothing is drawn.
#include <cstdint>

#include "gdi/WinGdi.h"
#include "win32/WindowDC.h"

namespace winsim::gdi {

HDC AcquireWindowDC(HWND hwnd, bool) { return reinterpret_cast<HDC>(hwnd); }
void ReleaseWindowDC(HDC) {}

}  // namespace winsim::gdi

namespace {
HBRUSH FakeBrush(uintptr_t n) { return reinterpret_cast<HBRUSH>(0x7000 + n); }
}  // namespace

extern "C" int WINAPI FillRect(HDC, const RECT*, HBRUSH) { return 1; }
extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) { return FakeBrush(color); }
extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) { return FakeBrush(static_cast<uintptr_t>(nIndex)); }
extern "C" DWORD WINAPI GetSysColor(int) { return RGB(240, 240, 240); }
extern "C" HGDIOBJ WINAPI GetStockObject(int i) { return FakeBrush(static_cast<uintptr_t>(i)); }
extern "C" BOOL WINAPI DeleteObject(HGDIOBJ) { return TRUE; }
extern "C" BOOL WINAPI DeleteDC(HDC) { return TRUE; }
extern "C" HGDIOBJ WINAPI SelectObject(HDC, HGDIOBJ) { return nullptr; }
extern "C" COLORREF WINAPI SetBkColor(HDC, COLORREF) { return 0xFFFFFF; }
extern "C" COLORREF WINAPI SetTextColor(HDC, COLORREF) { return 0; }
extern "C" int WINAPI SetBkMode(HDC, int) { return OPAQUE; }

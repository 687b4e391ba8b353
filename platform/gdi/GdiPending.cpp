// Placeholder until windows have surfaces: window DCs draw nowhere.
#include "gdi/WinGdi.h"
#include "win32/WindowDC.h"

namespace winsim::gdi {

HDC AcquireWindowDC(HWND, bool) { return CreateICA("DISPLAY", nullptr, nullptr, nullptr); }
void ReleaseWindowDC(HDC hdc) { DeleteDC(hdc); }

}  // namespace winsim::gdi

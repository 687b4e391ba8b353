#include "AfxButton.h"

IMPLEMENT_DYNCREATE(CMFCButton, CWnd)

namespace {

WNDPROC g_buttonProc = nullptr;

// An "MfcButton" window behaves as a push button until its object takes it over.
LRESULT CALLBACK MfcButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_buttonProc, hWnd, message, wParam, lParam);
}

}  // namespace

void AfxRegisterMFCCtrlClasses() {
  WNDCLASSA existing;
  if (::GetClassInfoA(nullptr, "MfcButton", &existing)) return;
  WNDCLASSA button;
  if (!::GetClassInfoA(nullptr, "Button", &button)) return;
  g_buttonProc = button.lpfnWndProc;
  WNDCLASSA cls = button;
  cls.lpfnWndProc = MfcButtonProc;
  cls.lpszClassName = "MfcButton";
  ::RegisterClassA(&cls);
}

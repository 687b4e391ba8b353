// The system's window classes: push buttons, static texts and dialogs.
#include "Window.h"
#include "WinBase.h"

namespace winsim {

namespace {

constexpr int kDialogExtra = 48;  // DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER

void Notify(HWND button, WORD code) {
  Window* w = FindWindowObject(button);
  if (!w || !w->parent) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(button));
}

bool IsPushButton(DWORD style) {
  DWORD type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The pushed state lives in the button's window bytes, as a control keeps it.
bool Pushed(const Window* w) { return !w->extra.empty() && w->extra[0] != 0; }
void SetPushed(Window* w, bool pushed) {
  if (!w->extra.empty()) w->extra[0] = pushed ? 1 : 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_GETDLGCODE:
      if (!IsPushButton(w->style)) return DLGC_BUTTON;
      return DLGC_BUTTON | ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd);
      if (GetFocus() != hwnd) SetFocus(hwnd);
      SetPushed(w, true);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      bool wasPushed = Pushed(w);
      SetPushed(w, false);
      if (GetCapture() == hwnd) ReleaseCapture();
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT client;
      GetClientRect(hwnd, &client);
      InvalidateRect(hwnd, nullptr, TRUE);
      if (wasPushed && PtInRect(&client, p)) Notify(hwnd, BN_CLICKED);
      return 0;
    }
    case WM_KEYUP:
      if (wParam == VK_SPACE) Notify(hwnd, BN_CLICKED);
      return 0;
    case BM_CLICK: Notify(hwnd, BN_CLICKED); return 0;
    case BM_GETSTATE: return (Pushed(w) ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
    case BM_SETSTYLE:
      w->style = (w->style & ~static_cast<DWORD>(0xFFFF)) | LOWORD(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS:
      if (w->style & BS_NOTIFY) Notify(hwnd, BN_SETFOCUS);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_KILLFOCUS:
      if (w->style & BS_NOTIFY) Notify(hwnd, BN_KILLFOCUS);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void Register(const char* name, WNDPROC proc, UINT style, int extra) {
  WNDCLASSA cls{};
  cls.style = style | CS_GLOBALCLASS;
  cls.lpfnWndProc = proc;
  cls.cbWndExtra = extra;
  cls.lpszClassName = name;
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(15 + 1));  // COLOR_BTNFACE + 1
  RegisterClassA(&cls);
}

}  // namespace

void RegisterSystemClasses() {
  Register("Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC, static_cast<int>(sizeof(LONG_PTR)));
  Register("Static", StaticProc, CS_PARENTDC, 0);
  Register("#32770", DefDlgProcA, CS_DBLCLKS | CS_SAVEBITS, kDialogExtra);
}

}  // namespace winsim

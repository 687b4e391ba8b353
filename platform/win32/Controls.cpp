// The system's window classes: push buttons, group boxes, static texts and dialogs.
#include <cstring>

#include "ControlPaint.h"
#include "Window.h"
#include "WinBase.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

constexpr int kDialogExtra = 48;  // DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER
// A control keeps its state in its window bytes, as the platform's do: the
// pushed flag, then the font that WM_SETFONT gave it.
constexpr size_t kStateOffset = 0;
constexpr size_t kFontOffset = sizeof(LONG_PTR);
constexpr int kButtonExtra = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr int kStaticExtra = 2 * static_cast<int>(sizeof(LONG_PTR));

void Notify(HWND button, WORD code) {
  Window* w = FindWindowObject(button);
  if (!w || !w->parent) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(button));
}

bool IsPushButton(DWORD style) {
  DWORD type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool IsGroupBox(DWORD style) { return (style & BS_TYPEMASK) == BS_GROUPBOX; }

bool Pushed(const Window* w) { return w->extra.size() > kStateOffset && w->extra[kStateOffset] != 0; }
void SetPushed(Window* w, bool pushed) {
  if (w->extra.size() > kStateOffset) w->extra[kStateOffset] = pushed ? 1 : 0;
}

HFONT FontOf(const Window* w) {
  HFONT font = nullptr;
  if (w->extra.size() >= kFontOffset + sizeof font) std::memcpy(&font, w->extra.data() + kFontOffset, sizeof font);
  return font;
}

LRESULT SetFont(Window* w, WPARAM font, LPARAM redraw) {
  if (w->extra.size() < kFontOffset + sizeof(HFONT)) return 0;
  auto handle = reinterpret_cast<HFONT>(font);
  std::memcpy(w->extra.data() + kFontOffset, &handle, sizeof handle);
  if (redraw) InvalidateRect(w->handle, nullptr, TRUE);
  return 0;
}

// Text changes show at once.
LRESULT SetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return result;
}

LRESULT PaintButton(Window* w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  if (IsPushButton(w->style)) {
    PaintPushButton(w, dc, FontOf(w), {Pushed(w), GetFocus() == w->handle});
  } else if (IsGroupBox(w->style)) {
    PaintGroupBox(w, dc, FontOf(w));
  }
  EndPaint(w->handle, &ps);
  return 0;
}

LRESULT PaintStatic(Window* w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  PaintStaticText(w, dc, FontOf(w));
  EndPaint(w->handle, &ps);
  return 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_GETDLGCODE:
      if (!IsPushButton(w->style)) return DLGC_BUTTON;
      return DLGC_BUTTON | ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_NCHITTEST:
      // A group box only frames other controls: clicks go through it.
      return IsGroupBox(w->style) ? HTTRANSPARENT : DefWindowProcA(hwnd, msg, wParam, lParam);
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
    case WM_SETFONT: return SetFont(w, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(FontOf(w));
    case WM_SETTEXT: return SetText(hwnd, wParam, lParam);
    case WM_PAINT: return PaintButton(w);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFONT: return SetFont(w, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(FontOf(w));
    case WM_SETTEXT: return SetText(hwnd, wParam, lParam);
    case WM_PAINT: return PaintStatic(w);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void Register(const char* name, WNDPROC proc, UINT style, int extra) {
  WNDCLASSA cls{};
  cls.style = style | CS_GLOBALCLASS;
  cls.lpfnWndProc = proc;
  cls.cbWndExtra = extra;
  cls.lpszClassName = name;
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
  RegisterClassA(&cls);
}

}  // namespace

void RegisterSystemClasses() {
  Register("Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC, kButtonExtra);
  Register("Static", StaticProc, CS_PARENTDC, kStaticExtra);
  Register("#32770", DefDlgProcA, CS_DBLCLKS | CS_SAVEBITS, kDialogExtra);
}

}  // namespace winsim

// Dialog creation from templates, DefDlgProc, the dialog keyboard interface
// and modal runs.
#include "Dialog.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "CodePage.h"
#include "DialogTemplate.h"
#include "Messages.h"
#include "ResourceTable.h"
#include "WinBase.h"
#include "desktop/Desktop.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

bool IsButtonClass(const Window* w) { return w && strcasecmp(w->className.c_str(), "Button") == 0; }

bool Focusable(const Window* w) {
  return w && w->visible() && !(w->style & WS_DISABLED) && (w->style & WS_TABSTOP);
}

HWND FirstTabStop(HWND hDlg) {
  Window* d = FindWindowObject(hDlg);
  if (!d) return nullptr;
  for (HWND child : d->children) {
    if (Focusable(FindWindowObject(child))) return child;
  }
  return nullptr;
}

int TemplateDefaultButton(const DialogTemplateData& t) {
  for (const DialogItemTemplate& item : t.items) {
    if (item.className == "Button" && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return static_cast<int>(item.id);
  }
  return 0;
}

RECT ToPixels(const DialogState& st, short x, short y, short cx, short cy) {
  int left = MulDiv(x, st.baseX, 4);
  int top = MulDiv(y, st.baseY, 8);
  return {left, top, left + MulDiv(cx, st.baseX, 4), top + MulDiv(cy, st.baseY, 8)};
}

// Dialog positions are template-relative, so keep the dialog on screen.
POINT KeepOnWorkArea(POINT p, int w, int h) {
  const RECT& work = Desktop().workArea;
  p.x = std::max<int>(work.left, std::min<int>(p.x, work.right - w));
  p.y = std::max<int>(work.top, std::min<int>(p.y, work.bottom - h));
  return p;
}

POINT DialogOrigin(const DialogTemplateData& t, HWND owner, const RECT& outer, const RECT& placed) {
  if (t.style & DS_CENTER) return CentredPosition(owner, {outer.right - outer.left, outer.bottom - outer.top});
  POINT origin{placed.left, placed.top};
  if (!(t.style & DS_ABSALIGN) && owner) ClientToScreen(owner, &origin);
  return origin;
}

int FindTemplateId(const void* data) {
  const WinsimResourceTable* table = ResourceTableOf(nullptr);
  if (!table) return -1;
  for (uint32_t i = 0; i < table->count; ++i) {
    const WinsimResourceEntry& e = table->entries[i];
    if (!e.typeName && e.typeId == 5 && e.data == data && !e.name) return e.id;
  }
  return -1;
}

// The font a DS_SETFONT template names, at the screen's 96 pixels per inch.
HFONT TemplateFont(const DialogTemplateData& t) {
  if (!(t.style & DS_SETFONT) || t.pointSize == 0) return nullptr;
  LOGFONTA font{};
  font.lfHeight = -MulDiv(t.pointSize, 96, 72);
  font.lfWeight = t.weight ? t.weight : FW_NORMAL;
  font.lfItalic = t.italic;
  font.lfCharSet = t.charset;
  const std::string face = Utf16ToAnsi(t.typeface).substr(0, sizeof font.lfFaceName - 1);
  std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
  return CreateFontIndirectA(&font);
}

bool CreateControls(HWND hDlg, const DialogTemplateData& t, HINSTANCE instance) {
  DialogState* st = DialogOf(hDlg);
  for (const DialogItemTemplate& item : t.items) {
    RECT r = ToPixels(*st, item.x, item.y, item.cx, item.cy);
    std::string text = item.titleOrdinal ? std::string("#").append(std::to_string(item.titleOrdinal)) : Utf16ToAnsi(item.title);
    void* data = item.creationData.empty() ? nullptr : const_cast<unsigned char*>(item.creationData.data());
    HWND ctl = CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), text.c_str(),
                               (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP), r.left, r.top,
                               r.right - r.left, r.bottom - r.top, hDlg,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, data);
    if (!ctl && !(t.style & DS_NOFAILCREATE)) return false;
    if (ctl && st->font) SendMessageA(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(st->font), FALSE);
  }
  return true;
}

void RestoreFocus(HWND hDlg) {
  DialogState* st = DialogOf(hDlg);
  HWND target = st->savedFocus;
  if (!target || !IsChild(hDlg, target) || !IsWindowEnabled(target)) target = FirstTabStop(hDlg);
  SetFocus(target ? target : hDlg);
}

bool IsSpecialResult(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG ||
         msg == WM_QUERYDRAGICON || msg == 0x0039 /* WM_COMPAREITEM */ || msg == 0x002E /* WM_VKEYTOITEM */ ||
         msg == 0x002F /* WM_CHARTOITEM */;
}

LRESULT DefaultDialogHandling(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  DialogState* st = DialogOf(hDlg);
  switch (msg) {
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(hDlg, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
      } else {
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hDlg, focus)) st->savedFocus = focus;
      } else if (!IsIconic(hDlg)) {
        RestoreFocus(hDlg);
      }
      return 0;
    case WM_SETFOCUS: {
      HWND target = st->savedFocus && IsChild(hDlg, st->savedFocus) ? st->savedFocus : FirstTabStop(hDlg);
      if (target) SetFocus(target);
      return 0;
    }
    case DM_GETDEFID: return st->defaultId ? MAKELRESULT(st->defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID: st->defaultId = static_cast<int>(wParam); return TRUE;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(st->font);
    case WM_SETFONT: st->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_ERASEBKGND: {
      // The dialog's background is whatever brush its WM_CTLCOLORDLG answer names.
      HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(hDlg, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hDlg)));
      if (!brush) return 0;
      RECT client;
      GetClientRect(hDlg, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hDlg, GetFocus(), wParam ? TRUE : FALSE);
      if (target) SetFocus(target);
      return 0;
    }
    default: return DefWindowProcA(hDlg, msg, wParam, lParam);
  }
}

LRESULT SendCommand(HWND hDlg, int id) {
  HWND ctl = GetDlgItem(hDlg, id);
  return SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ctl));
}

// Enter: the focused push button, else the default button, else IDOK.
void PressEnter(HWND hDlg, HWND focus, LRESULT code) {
  Window* f = FindWindowObject(focus);
  if (f && IsButtonClass(f) && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(f->id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  LRESULT def = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) {
    HWND ctl = GetDlgItem(hDlg, LOWORD(def));
    if (ctl && !IsWindowEnabled(ctl)) {
      MessageBeep(0);
      return;
    }
    SendCommand(hDlg, LOWORD(def));
    return;
  }
  SendCommand(hDlg, IDOK);
}

bool HandleDialogKey(HWND hDlg, const MSG* msg) {
  HWND focus = msg->hwnd;
  LRESULT code = SendMessageA(focus, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
  if (code & DLGC_WANTALLKEYS) return false;
  switch (msg->wParam) {
    case VK_TAB: {
      if (code & DLGC_WANTTAB) return false;
      const BOOL back = (GetKeyState(VK_SHIFT) & 0x8000) ? TRUE : FALSE;
      HWND next = GetNextDlgTabItem(hDlg, focus, back);
      if (next) SetFocus(next);
      return true;
    }
    case VK_RETURN: PressEnter(hDlg, focus, code); return true;
    case VK_ESCAPE: SendCommand(hDlg, IDCANCEL); return true;
    default: return false;
  }
}

}  // namespace

POINT CentredPosition(HWND owner, SIZE size) {
  RECT around = Desktop().workArea;
  Window* o = FindWindowObject(owner);
  if (o && IsReallyVisible(o) && !o->minimized()) around = o->window;
  POINT p{around.left + (around.right - around.left - size.cx) / 2, around.top + (around.bottom - around.top - size.cy) / 2};
  return KeepOnWorkArea(p, size.cx, size.cy);
}

DialogState* DialogOf(HWND hwnd) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return nullptr;
  if (!w->dialog) w->dialog = std::make_unique<DialogState>();
  return w->dialog.get();
}

void DialogBaseUnits(WORD pointSize, bool hasFont, int& baseX, int& baseY) {
  if (!hasFont || pointSize == 0) {
    baseX = 8;
    baseY = 16;
    return;
  }
  // The dialog fonts are CJK fonts whose average width is half their height.
  int height = MulDiv(pointSize, 96, 72);
  baseY = std::max(height, 1);
  baseX = std::max(height / 2, 1);
}

}  // namespace winsim

using namespace winsim;

extern "C" HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                                  DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  DialogTemplateData t;
  if (!ParseDialogTemplate(lpTemplate, 0, t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DialogState units;
  DialogBaseUnits(t.pointSize, (t.style & DS_SETFONT) != 0, units.baseX, units.baseY);
  DWORD style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
  DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  HWND owner = nullptr;
  if (hWndParent && !(style & WS_CHILD)) owner = GetAncestor(hWndParent, GA_ROOT);
  RECT placed = ToPixels(units, t.x, t.y, t.cx, t.cy);
  RECT outer{0, 0, placed.right - placed.left, placed.bottom - placed.top};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  POINT origin{placed.left, placed.top};
  if (!(style & WS_CHILD)) {
    origin = DialogOrigin(t, owner, outer, placed);
    origin = KeepOnWorkArea(origin, outer.right - outer.left, outer.bottom - outer.top);
  }
  std::string className = t.className.empty() ? "#32770" : t.className;
  HWND hDlg = CreateWindowExA(exStyle, className.c_str(), Utf16ToAnsi(t.title).c_str(), style, origin.x, origin.y,
                              outer.right - outer.left, outer.bottom - outer.top,
                              (style & WS_CHILD) ? hWndParent : owner, nullptr, hInstance,
                              reinterpret_cast<LPVOID>(dwInitParam));
  if (!hDlg) return nullptr;
  Window* w = FindWindowObject(hDlg);
  w->templateId = FindTemplateId(lpTemplate);
  DialogState* st = DialogOf(hDlg);
  st->baseX = units.baseX;
  st->baseY = units.baseY;
  st->defaultId = TemplateDefaultButton(t);
  SetWindowLongPtrA(hDlg, static_cast<int>(DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(lpDialogFunc));
  st->templateFont = TemplateFont(t);
  if (st->templateFont) SendMessageA(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(st->templateFont), FALSE);
  if (!CreateControls(hDlg, t, hInstance)) {
    DestroyWindow(hDlg);
    return nullptr;
  }
  HWND first = FirstTabStop(hDlg);
  if (SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), dwInitParam) && IsWindow(hDlg)) {
    if (first) DialogOf(hDlg)->savedFocus = first;
  }
  if (!IsWindow(hDlg)) return nullptr;
  if ((t.style & WS_VISIBLE) && !DialogOf(hDlg)->ended) ShowWindow(hDlg, SW_SHOWNORMAL);
  return IsWindow(hDlg) ? hDlg : nullptr;
}

extern "C" HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                                          DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  HRSRC res = FindResourceA(hInstance, lpTemplateName, RT_DIALOG);
  if (!res) return nullptr;
  auto* data = static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(hInstance, res)));
  return CreateDialogIndirectParamA(hInstance, data, hWndParent, lpDialogFunc, dwInitParam);
}

extern "C" LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hDlg);
  if (!w) return 0;
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, static_cast<int>(DWLP_DLGPROC)));
  if (proc) {
    INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
    if (!IsWindow(hDlg)) return handled;
    if (handled) return IsSpecialResult(Msg) ? handled : GetWindowLongPtrA(hDlg, static_cast<int>(DWLP_MSGRESULT));
  }
  if (Msg == WM_NCDESTROY) {
    DialogState* st = DialogOf(hDlg);
    if (st->templateFont) DeleteObject(st->templateFont);
    st->templateFont = nullptr;
    return DefWindowProcA(hDlg, Msg, wParam, lParam);
  }
  return DefaultDialogHandling(hDlg, Msg, wParam, lParam);
}

extern "C" BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  DialogState* st = DialogOf(hDlg);
  if (!st) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  st->ended = true;
  st->result = nResult;
  return TRUE;
}

extern "C" BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
  if (!hDlg || !lpMsg || !IsWindow(hDlg)) return FALSE;
  if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
  if (lpMsg->message == WM_KEYDOWN && HandleDialogKey(hDlg, lpMsg)) return TRUE;
  if (lpMsg->message == WM_CHAR && (lpMsg->wParam == '\t' || lpMsg->wParam == '\r' || lpMsg->wParam == 0x1B)) {
    LRESULT code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
    if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS))) return TRUE;
  }
  TranslateMessage(lpMsg);
  DispatchMessageA(lpMsg);
  return TRUE;
}

extern "C" HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Window* d = FindWindowObject(hDlg);
  if (!d || d->children.empty()) return nullptr;
  std::vector<HWND> order = d->children;
  if (bPrevious) std::reverse(order.begin(), order.end());
  auto start = std::find(order.begin(), order.end(), hCtl);
  size_t n = order.size();
  size_t from = start == order.end() ? n - 1 : static_cast<size_t>(start - order.begin());
  for (size_t step = 1; step <= n; ++step) {
    HWND candidate = order[(from + step) % n];
    if (Focusable(FindWindowObject(candidate))) return candidate;
  }
  return hCtl;
}

extern "C" BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  DialogState* st = DialogOf(hDlg);
  if (!st || !lpRect) return FALSE;
  *lpRect = {MulDiv(lpRect->left, st->baseX, 4), MulDiv(lpRect->top, st->baseY, 8),
             MulDiv(lpRect->right, st->baseX, 4), MulDiv(lpRect->bottom, st->baseY, 8)};
  return TRUE;
}

extern "C" LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(8, 16); }

extern "C" INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                                  HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  HWND owner = hWndParent ? GetAncestor(hWndParent, GA_ROOT) : nullptr;
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  HWND hDlg = CreateDialogIndirectParamA(hInstance, hDialogTemplate, owner, lpDialogFunc, dwInitParam);
  if (!hDlg) {
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    return -1;
  }
  if (!DialogOf(hDlg)->ended && !IsWindowVisible(hDlg)) ShowWindow(hDlg, SW_SHOWNORMAL);
  while (IsWindow(hDlg) && !DialogOf(hDlg)->ended) {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageA(hDlg, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  INT_PTR result = IsWindow(hDlg) ? DialogOf(hDlg)->result : 0;
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  // The owner is active again before the dialog goes, as the user expects.
  if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
  if (IsWindow(hDlg)) DestroyWindow(hDlg);
  return result;
}

extern "C" INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                                          DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  HRSRC res = FindResourceA(hInstance, lpTemplateName, RT_DIALOG);
  if (!res) return -1;
  auto* data = static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(hInstance, res)));
  return DialogBoxIndirectParamA(hInstance, data, hWndParent, lpDialogFunc, dwInitParam);
}

// Window objects, classes, creation and destruction, window longs and texts.
#include "Window.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

#include "CodePage.h"
#include "Unsupported.h"
#include "WinBase.h"
#include "Dialog.h"
#include "Hooks.h"
#include "Messages.h"
#include "WindowPos.h"
#include "desktop/Desktop.h"

namespace winsim {

Window::Window() = default;
Window::~Window() = default;

namespace {

struct Registry {
  std::vector<std::unique_ptr<Window>> all;
  std::unordered_map<uintptr_t, Window*> live;
  std::vector<HWND> topLevel;
  std::map<std::string, WindowClass> classes;  // key: lower-case name
  uintptr_t nextHandle = 0x10010;
};

Registry& Reg() {
  static Registry* registry = new Registry();  // outlives static destructors: final.json reads it at exit
  return *registry;
}

std::string LowerCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string ClassKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return std::string("#").append(std::to_string(reinterpret_cast<uintptr_t>(name)));
  return LowerCase(name);
}

LONG_PTR ReadExtra(const Window* w, int index, size_t size) {
  if (index < 0 || static_cast<size_t>(index) + size > w->extra.size()) return 0;
  LONG_PTR value = 0;
  std::memcpy(&value, w->extra.data() + index, size);
  return value;
}

void WriteExtra(Window* w, int index, size_t size, LONG_PTR value) {
  std::memcpy(w->extra.data() + index, &value, size);
}

bool ExtraInRange(const Window* w, int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

void PlaceInZOrder(Window* w) {
  if (w->isChild()) {
    // New child windows go to the bottom of their siblings: creation order is tab order.
    FindWindowObject(w->parent)->children.push_back(w->handle);
  } else {
    auto& z = Reg().topLevel;
    z.insert(z.begin(), w->handle);
  }
}

void RemoveFromZOrder(Window* w) {
  std::vector<HWND>* list = &Reg().topLevel;
  if (w->isChild()) {
    Window* parent = FindWindowObject(w->parent);
    if (!parent) return;
    list = &parent->children;
  }
  list->erase(std::remove(list->begin(), list->end(), w->handle), list->end());
}

// The default position and size that CW_USEDEFAULT asks for.
void ApplyDefaultPlacement(int& x, int& y, int& cx, int& cy) {
  constexpr int kUseDefault = static_cast<int>(0x80000000);
  if (x == kUseDefault) {
    x = Desktop().workArea.left + 26;
    y = Desktop().workArea.top + 26;
  }
  if (cx == kUseDefault) {
    cx = (Desktop().workArea.right - Desktop().workArea.left) * 3 / 4;
    cy = (Desktop().workArea.bottom - Desktop().workArea.top) * 3 / 4;
  }
}

void SetInitialRects(Window* w, int x, int y, int cx, int cy) {
  POINT origin{0, 0};
  if (w->isChild()) {
    Window* parent = FindWindowObject(w->parent);
    origin = {parent->client.left, parent->client.top};
  }
  w->window = {origin.x + x, origin.y + y, origin.x + x + std::max(cx, 0), origin.y + y + std::max(cy, 0)};
  w->client = w->window;
}

void SendMinMaxInfoAtCreation(Window* w, int& cx, int& cy) {
  if (!(w->style & WS_THICKFRAME) && (w->style & (WS_POPUP | WS_CHILD))) return;
  MINMAXINFO info = DefaultMinMaxInfo(w);
  SendMessageA(w->handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  cx = std::clamp<int>(cx, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
  cy = std::clamp<int>(cy, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
}

void SendInitialSizeAndMove(Window* w) {
  RECT client;
  GetClientRect(w->handle, &client);
  SendMessageA(w->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  POINT origin{w->client.left, w->client.top};
  if (w->isChild()) ScreenToClient(w->parent, &origin);
  SendMessageA(w->handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

// Destroys the window record after its last message.
void Bury(Window* w) {
  RemoveFromZOrder(w);
  DesktopState& d = Desktop();
  if (d.focus == w->handle) d.focus = nullptr;
  if (d.active == w->handle) d.active = nullptr;
  if (d.capture == w->handle) d.capture = nullptr;
  w->destroyed = true;
  w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  Reg().live.erase(reinterpret_cast<uintptr_t>(w->handle));
  DiscardQueuedMessages(w->handle);
}

void SendDestroy(Window* w) {
  SendMessageA(w->handle, WM_DESTROY, 0, 0);
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    if (Window* c = FindWindowObject(child)) {
      c->destroying = true;
      SendDestroy(c);
    }
  }
}

void SendNcDestroy(Window* w) {
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    if (Window* c = FindWindowObject(child)) SendNcDestroy(c);
  }
  HWND handle = w->handle;
  SendMessageA(handle, WM_NCDESTROY, 0, 0);
  if (Window* again = FindWindowObject(handle)) Bury(again);
}

}  // namespace

Window* FindWindowObject(HWND hwnd) {
  auto it = Reg().live.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == Reg().live.end() ? nullptr : it->second;
}

const std::vector<std::unique_ptr<Window>>& AllWindows() { return Reg().all; }

std::vector<HWND>& TopLevelZOrder() { return Reg().topLevel; }

bool IsReallyVisible(const Window* w) {
  while (w) {
    if (!w->visible()) return false;
    if (!w->isChild()) return true;
    w = FindWindowObject(w->parent);
  }
  return false;
}

Window* RootOf(Window* w) {
  while (w && w->isChild()) w = FindWindowObject(w->parent);
  return w;
}

void ResetWindowManager() {
  Registry& r = Reg();
  r.all.clear();
  r.live.clear();
  r.topLevel.clear();
  r.classes.clear();
  r.nextHandle = 0x10010;
  ResetMessageQueues();
  ResetHooks();
  RegisterSystemClasses();
}

const WindowClass* FindWindowClass(LPCSTR name) {
  if (Reg().classes.empty()) RegisterSystemClasses();
  auto it = Reg().classes.find(ClassKey(name));
  return it == Reg().classes.end() ? nullptr : &it->second;
}

}  // namespace winsim

using namespace winsim;

extern "C" ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
  if (!lpWndClass || !lpWndClass->lpszClassName || !lpWndClass->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string key = ClassKey(lpWndClass->lpszClassName);
  if (Reg().classes.count(key)) {
    SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
    return 0;
  }
  WindowClass cls;
  cls.name = IS_INTRESOURCE(lpWndClass->lpszClassName) ? key : lpWndClass->lpszClassName;
  cls.style = lpWndClass->style;
  cls.proc = lpWndClass->lpfnWndProc;
  cls.clsExtra = lpWndClass->cbClsExtra;
  cls.wndExtra = lpWndClass->cbWndExtra;
  cls.instance = lpWndClass->hInstance;
  cls.icon = lpWndClass->hIcon;
  cls.cursor = lpWndClass->hCursor;
  cls.background = lpWndClass->hbrBackground;
  Reg().classes[key] = cls;
  static ATOM nextAtom = 0xC000;
  return nextAtom++;
}

extern "C" BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
  return Reg().classes.erase(ClassKey(lpClassName)) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
  const WindowClass* cls = FindWindowClass(lpClassName);
  if (!cls || !lpWndClass) {
    SetLastError(1411);  // ERROR_CLASS_DOES_NOT_EXIST
    return FALSE;
  }
  *lpWndClass = WNDCLASSA{cls->style, cls->proc, cls->clsExtra, cls->wndExtra, cls->instance,
                          cls->icon, cls->cursor, cls->background, nullptr, lpClassName};
  return TRUE;
}

extern "C" int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  Window* w = FindWindowObject(hWnd);
  if (!w || nMaxCount <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->className.size()), nMaxCount - 1);
  std::memcpy(lpClassName, w->className.data(), static_cast<size_t>(n));
  lpClassName[n] = 0;
  return n;
}

extern "C" HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                                       int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                       HINSTANCE hInstance, LPVOID lpParam) {
  const WindowClass* cls = FindWindowClass(lpClassName);
  if (!cls) {
    SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
    return nullptr;
  }
  Window* parentWindow = hWndParent ? FindWindowObject(hWndParent) : nullptr;
  if ((dwStyle & WS_CHILD) && !parentWindow) {
    SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
    return nullptr;
  }
  auto owned = std::make_unique<Window>();
  Window* w = owned.get();
  w->handle = reinterpret_cast<HWND>(Reg().nextHandle);
  Reg().nextHandle += 2;
  w->className = cls->name;
  w->classStyle = cls->style;
  w->classBackground = cls->background;
  w->classIcon = cls->icon;
  w->proc = cls->proc;
  w->extra.assign(static_cast<size_t>(std::max(cls->wndExtra, 0)), 0);
  w->instance = hInstance;
  w->thread = std::this_thread::get_id();
  bool visible = (dwStyle & WS_VISIBLE) != 0;
  w->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
  // Overlapped windows always have a caption and clip their siblings.
  if (!(w->style & (WS_CHILD | WS_POPUP))) w->style |= WS_CAPTION | WS_CLIPSIBLINGS;
  w->exStyle = dwExStyle;
  if (w->isChild()) {
    w->parent = hWndParent;
    w->id = reinterpret_cast<UINT_PTR>(hMenu);
  } else if (parentWindow) {
    w->owner = RootOf(parentWindow)->handle;
  }
  ApplyDefaultPlacement(X, Y, nWidth, nHeight);
  Reg().all.push_back(std::move(owned));
  Reg().live[reinterpret_cast<uintptr_t>(w->handle)] = w;
  SetInitialRects(w, X, Y, nWidth, nHeight);

  CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                   static_cast<LONG>(w->style), lpWindowName, lpClassName, dwExStyle};
  CBT_CREATEWNDA cbt{&cs, HWND_TOP};
  HWND handle = w->handle;
  if (CallCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt)) != 0) {
    Bury(w);
    return nullptr;
  }
  SendMinMaxInfoAtCreation(w, cs.cx, cs.cy);
  SetInitialRects(w, cs.x, cs.y, cs.cx, cs.cy);
  if (!SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    SendNcDestroy(w);
    return nullptr;
  }
  if (!FindWindowObject(handle)) return nullptr;
  PlaceInZOrder(w);
  RECT rect = w->window;
  SendMessageA(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
  w->client = ClampedClient(rect);
  if (SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!FindWindowObject(handle)) return nullptr;
  SendInitialSizeAndMove(w);
  if (visible && FindWindowObject(handle)) ShowWindow(handle, SW_SHOW);
  return FindWindowObject(handle) ? handle : nullptr;
}

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  CallCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0);
  w->destroying = true;
  if (w->visible() && !w->isChild()) {
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Owned windows go first, completely.
  std::vector<HWND> owned;
  for (auto& other : Reg().all) {
    if (!other->destroyed && other->owner == hWnd) owned.push_back(other->handle);
  }
  for (HWND o : owned) DestroyWindow(o);
  if (!FindWindowObject(hWnd)) return TRUE;
  if (Desktop().active == hWnd) ActivateNextWindow(hWnd);
  SendDestroy(w);
  SendNcDestroy(w);
  return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowObject(hWnd) ? TRUE : FALSE; }

extern "C" BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  while (w && w->isChild()) {
    if (w->parent == hWndParent) return TRUE;
    w = FindWindowObject(w->parent);
  }
  return FALSE;
}

extern "C" LONG_PTR WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (nIndex) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_USERDATA: return w->userData;
    default:
      if (ExtraInRange(w, nIndex, sizeof(LONG_PTR))) return ReadExtra(w, nIndex, sizeof(LONG_PTR));
      SetLastError(1413);  // ERROR_INVALID_INDEX
      return 0;
  }
}

extern "C" LONG_PTR WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LONG_PTR old = GetWindowLongA(hWnd, nIndex);
  switch (nIndex) {
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(dwNewLong); break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(dwNewLong); break;
    case GWL_HWNDPARENT:
      if (!w->isChild()) w->owner = reinterpret_cast<HWND>(dwNewLong);
      break;
    case GWL_ID: w->id = static_cast<UINT_PTR>(dwNewLong); break;
    case GWL_STYLE: ChangeStyle(w, GWL_STYLE, static_cast<DWORD>(dwNewLong)); break;
    case GWL_EXSTYLE: ChangeStyle(w, GWL_EXSTYLE, static_cast<DWORD>(dwNewLong)); break;
    case GWL_USERDATA: w->userData = dwNewLong; break;
    default:
      if (!ExtraInRange(w, nIndex, sizeof(LONG_PTR))) {
        SetLastError(1413);
        return 0;
      }
      WriteExtra(w, nIndex, sizeof(LONG_PTR), dwNewLong);
  }
  return old;
}

extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                                          LPARAM lParam) {
  if (!lpPrevWndFunc) return 0;
  return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

extern "C" HWND WINAPI GetParent(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return nullptr;
  if (w->isChild()) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

extern "C" HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
  Window* w = FindWindowObject(hWndChild);
  Window* p = FindWindowObject(hWndNewParent);
  if (!w || !w->isChild() || !p) {
    WINSIM_UNSUPPORTED("SetParent other than moving a child to another parent");
    return nullptr;
  }
  HWND old = w->parent;
  POINT pos{w->window.left, w->window.top};
  ScreenToClient(old, &pos);
  RemoveFromZOrder(w);
  w->parent = hWndNewParent;
  p->children.insert(p->children.begin(), hWndChild);
  SetWindowPos(hWndChild, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return old;
}

extern "C" HWND WINAPI GetDesktopWindow(void) {
  // The desktop is not a window object of ours; a fixed handle stands for it.
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10000));
}

extern "C" HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return nullptr;
  if (uCmd == GW_OWNER) return w->owner;
  if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  std::vector<HWND>* siblings = &Reg().topLevel;
  if (w->isChild()) siblings = &FindWindowObject(w->parent)->children;
  auto it = std::find(siblings->begin(), siblings->end(), hWnd);
  if (siblings->empty() || it == siblings->end()) return nullptr;
  switch (uCmd) {
    case GW_HWNDFIRST: return siblings->front();
    case GW_HWNDLAST: return siblings->back();
    case GW_HWNDNEXT: return (it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings->begin()) ? nullptr : *(it - 1);
    default: WINSIM_UNSUPPORTED("GetWindow command"); return nullptr;
  }
}

extern "C" HWND WINAPI GetTopWindow(HWND hWnd) {
  if (!hWnd || hWnd == GetDesktopWindow()) return Reg().topLevel.empty() ? nullptr : Reg().topLevel.front();
  return GetWindow(hWnd, GW_CHILD);
}

extern "C" HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return nullptr;
  switch (gaFlags) {
    case GA_PARENT: return w->isChild() ? w->parent : GetDesktopWindow();
    case GA_ROOT: return RootOf(w)->handle;
    case GA_ROOTOWNER: {
      Window* root = RootOf(w);
      while (root->owner && FindWindowObject(root->owner)) root = FindWindowObject(root->owner);
      return root->handle;
    }
    default: WINSIM_UNSUPPORTED("GetAncestor flag"); return nullptr;
  }
}

extern "C" DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  Window* w = FindWindowObject(hWnd);
  if (!w) return 0;
  if (lpdwProcessId) *lpdwProcessId = GetCurrentProcessId();
  return static_cast<DWORD>(std::hash<std::thread::id>{}(w->thread) & 0x7FFFFFFF);
}

extern "C" BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (!FindWindowObject(hWnd)) return FALSE;
  return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : "")) ? TRUE : FALSE;
}

extern "C" int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (!FindWindowObject(hWnd) || !lpString || nMaxCount <= 0) return 0;
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}

extern "C" int WINAPI GetWindowTextLengthA(HWND hWnd) {
  if (!FindWindowObject(hWnd)) return 0;
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" int WINAPI GetDlgCtrlID(HWND hWnd) {
  Window* w = FindWindowObject(hWnd);
  return (w && w->isChild()) ? static_cast<int>(w->id) : 0;
}

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* w = FindWindowObject(hDlg);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    Window* c = FindWindowObject(child);
    if (c && static_cast<int>(c->id) == nIDDlgItem) return child;
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return nullptr;
}

extern "C" LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SendMessageA(item, Msg, wParam, lParam) : 0;
}

extern "C" BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SetWindowTextA(item, lpString) : FALSE;
}

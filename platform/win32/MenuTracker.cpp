#include "MenuTracker.h"

#include <algorithm>

#include "CodePage.h"
#include "Window.h"
#include "desktop/Desktop.h"
#include "gdi/SolidFill.h"
#include "gdi/WinGdi.h"

namespace winsim {

namespace {

constexpr char kMenuClass[] = "#32768";
constexpr int kFrame = 1;
constexpr int kPadding = 2;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kTextLeft = 28;
constexpr int kTextRight = 24;
constexpr int kShortcutGap = 24;
constexpr int kMinWidth = 100;
constexpr COLORREF kBackground = RGB(242, 242, 242);
constexpr COLORREF kHotBackground = RGB(145, 201, 247);
constexpr COLORREF kFrameColour = RGB(151, 151, 151);
constexpr COLORREF kSeparatorColour = RGB(215, 215, 215);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kGrayedTextColour = RGB(109, 109, 109);

// "&Close\tAlt+F4" shows "Close" with "Alt+F4" at the right.
struct ItemText {
  std::string label;
  std::string shortcut;
};

ItemText SplitText(const std::string& text) {
  size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, ""};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

// The label as a person reads it: mnemonic marks gone, shortcut left out.
std::string ReadableLabel(const std::string& text) {
  std::string label = SplitText(text).label, out;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&' && i + 1 < label.size()) ++i;
    out.push_back(label[i]);
  }
  return out;
}

HFONT MenuFont() {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  return CreateFontIndirectA(&font);
}

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONDBLCLK);
}
bool IsPress(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
         m == WM_RBUTTONDBLCLK || m == WM_NCLBUTTONDOWN || m == WM_NCRBUTTONDOWN || m == WM_NCLBUTTONDBLCLK;
}
bool IsKey(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      if (MenuTracker::Current() && MenuTracker::Current()->Window() == hwnd) MenuTracker::Current()->Paint(hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void RegisterMenuClass() {
  if (FindWindowClass(kMenuClass)) return;
  WNDCLASSA cls{};
  cls.style = CS_SAVEBITS;
  cls.lpfnWndProc = MenuWindowProc;
  cls.lpszClassName = kMenuClass;
  RegisterClassA(&cls);
}

}  // namespace

MenuTracker* MenuTracker::s_current = nullptr;

MenuTracker::~MenuTracker() {
  if (s_current == this) s_current = nullptr;
  if (m_window && IsWindow(m_window)) {
    if (GetCapture() == m_window) ReleaseCapture();
    DestroyWindow(m_window);
  }
  if (m_font) DeleteObject(m_font);
  if (m_window) Notify(WM_EXITMENULOOP, TRUE);
}

SIZE MenuTracker::Layout() {
  HDC hdc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(hdc, m_font);
  int width = kMinWidth, y = kFrame + kPadding;
  for (const MenuItem& item : m_menu.items) {
    const int height = item.separator() ? kSeparatorHeight : kItemHeight;
    m_itemRects.push_back({kFrame, y, 0, y + height});
    y += height;
    ItemText text = SplitText(item.text);
    SIZE label{}, shortcut{};
    GetTextExtentPoint32A(hdc, text.label.c_str(), static_cast<int>(text.label.size()), &label);
    GetTextExtentPoint32A(hdc, text.shortcut.c_str(), static_cast<int>(text.shortcut.size()), &shortcut);
    int needed = kTextLeft + label.cx + (shortcut.cx ? kShortcutGap + shortcut.cx : 0) + kTextRight;
    width = std::max(width, needed + 2 * kFrame);
  }
  SelectObject(hdc, previous);
  ReleaseDC(nullptr, hdc);
  for (RECT& r : m_itemRects) r.right = width - kFrame;
  return {width, y + kPadding + kFrame};
}

// The menu opens to the right of and below the point, and flips where the
// screen ends.
POINT MenuTracker::Placed(POINT at, SIZE size) const {
  const DesktopState& d = Desktop();
  if (at.x + size.cx > d.screenWidth) at.x = std::max<LONG>(0, at.x - size.cx);
  if (at.y + size.cy > d.screenHeight) at.y = std::max<LONG>(0, at.y - size.cy);
  return at;
}

void MenuTracker::Notify(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!(m_flags & TPM_NONOTIFY) && IsWindow(m_owner)) SendMessageA(m_owner, message, wParam, lParam);
}

bool MenuTracker::Open(POINT at) {
  RegisterMenuClass();
  m_font = MenuFont();
  const SIZE size = Layout();
  const POINT place = Placed(at, size);
  HWND root = GetAncestor(m_owner, GA_ROOT);
  m_window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuClass, "", WS_POPUP, place.x, place.y, size.cx,
                             size.cy, root ? root : m_owner, nullptr, nullptr, nullptr);
  if (!m_window) return false;
  SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(m_window);
  SetCapture(m_window);
  return true;
}

UINT MenuTracker::Run(POINT at) {
  Notify(WM_ENTERMENULOOP, TRUE);
  Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_handle), MAKELPARAM(0, m_menu.windowMenu ? 1 : 0));
  s_current = this;
  if (!Open(at)) return 0;
  while (!m_done) {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Take(msg);
    if (!IsWindow(m_owner) || !IsWindow(m_window)) break;
  }
  return m_chosen;
}

void MenuTracker::Take(const MSG& msg) {
  if (msg.hwnd == m_window && msg.message == kMenuChooseItem) return End(static_cast<int>(msg.wParam));
  if (msg.hwnd == m_window && msg.message == kMenuDismiss) return End(-1);
  if (IsMouse(msg.message)) return TakeMouse(msg);
  if (IsKey(msg.message)) return TakeKey(msg);
  DispatchMessageA(&msg);
}

void MenuTracker::TakeMouse(const MSG& msg) {
  const int item = ItemAt(msg.pt);
  RECT window;
  GetWindowRect(m_window, &window);
  if (IsPress(msg.message)) {
    if (!PtInRect(&window, msg.pt)) End(-1);
    return;
  }
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) return SetHot(item);
  const bool release = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP ||
                       ((m_flags & TPM_RIGHTBUTTON) && (msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP));
  if (release && Choosable(item)) End(item);
}

void MenuTracker::TakeKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return;
  switch (msg.wParam) {
    case VK_ESCAPE: return End(-1);
    case VK_RETURN:
      if (Choosable(m_hot)) End(m_hot);
      return;
    case VK_DOWN: return MoveHot(1);
    case VK_UP: return MoveHot(-1);
    default: return;
  }
}

int MenuTracker::ItemAt(POINT screen) const {
  POINT p = screen;
  ScreenToClient(m_window, &p);
  for (size_t i = 0; i < m_itemRects.size(); ++i) {
    if (PtInRect(&m_itemRects[i], p)) return static_cast<int>(i);
  }
  return -1;
}

bool MenuTracker::Choosable(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_menu.items.size()) return false;
  const MenuItem& item = m_menu.items[static_cast<size_t>(index)];
  return !item.separator() && !item.grayed();
}

void MenuTracker::SetHot(int index) {
  if (!Choosable(index)) index = -1;
  if (index == m_hot) return;
  m_hot = index;
  InvalidateRect(m_window, nullptr, FALSE);
}

void MenuTracker::MoveHot(int step) {
  const int count = static_cast<int>(m_menu.items.size());
  int index = m_hot;
  for (int tries = 0; tries < count; ++tries) {
    index = ((index < 0 && step < 0 ? count : index) + step + count) % count;
    if (Choosable(index)) return SetHot(index);
  }
}

void MenuTracker::End(int chosen) {
  m_done = true;
  m_chosen = Choosable(chosen) ? m_menu.items[static_cast<size_t>(chosen)].id : 0;
}

void MenuTracker::Paint(HDC hdc) const {
  RECT client;
  GetClientRect(m_window, &client);
  gdi::FillSolidRect(hdc, client, kBackground);
  gdi::FrameSolidRect(hdc, client, kFrame, kFrameColour);
  HGDIOBJ previous = SelectObject(hdc, m_font);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, kTextColour);
  for (size_t i = 0; i < m_itemRects.size(); ++i) {
    RECT r = m_itemRects[i];
    if (m_menu.items[i].separator()) {
      const int middle = (r.top + r.bottom) / 2;
      gdi::FillSolidRect(hdc, {r.left + kTextLeft - 4, middle, r.right - 2, middle + 1}, kSeparatorColour);
      continue;
    }
    if (static_cast<int>(i) == m_hot) gdi::FillSolidRect(hdc, r, kHotBackground);
    SetTextColor(hdc, m_menu.items[i].grayed() ? kGrayedTextColour : kTextColour);
    ItemText text = SplitText(m_menu.items[i].text);
    RECT textRect{r.left + kTextLeft, r.top, r.right - kTextRight, r.bottom};
    DrawTextA(hdc, text.label.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!text.shortcut.empty()) DrawTextA(hdc, text.shortcut.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(hdc, previous);
}

nlohmann::json MenuTracker::Items() const {
  nlohmann::json items = nlohmann::json::array();
  for (size_t i = 0; i < m_menu.items.size(); ++i) {
    RECT r = m_itemRects[i];
    MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    items.push_back({{"id", m_menu.items[i].id},
                     {"text", AnsiToUtf8(m_menu.items[i].text)},
                     {"enabled", !m_menu.items[i].grayed()},
                     {"rect", {r.left, r.top, r.right, r.bottom}}});
  }
  return items;
}

int MenuTracker::FindItem(const std::string& utf8) const {
  for (size_t i = 0; i < m_menu.items.size(); ++i) {
    const MenuItem& item = m_menu.items[i];
    if (item.separator()) continue;
    if (AnsiToUtf8(item.text) == utf8 || AnsiToUtf8(ReadableLabel(item.text)) == utf8) return static_cast<int>(i);
  }
  return -1;
}

int MenuTracker::FindItem(UINT id) const {
  for (size_t i = 0; i < m_menu.items.size(); ++i) {
    if (!m_menu.items[i].separator() && m_menu.items[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace winsim

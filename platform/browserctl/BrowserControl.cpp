#include "BrowserControl.h"

#include <map>
#include <utility>

#include "PageLoader.h"
#include "UrlResolver.h"
#include "WebBrowser.h"
#include "win32/CodePage.h"
#include "win32/Unsupported.h"
#include "win32/Window.h"

namespace winsim::browser {

namespace {

constexpr char kWindowClass[] = "Shell Embedding";
// Posted to the control's own window: the navigation of that sequence
// number is due. Navigation is asynchronous, as on the platform.
constexpr UINT kNavigationDue = WM_USER + 0x200;
constexpr UINT kMenuRefresh = 1;
constexpr UINT kMenuProperties = 2;

std::map<HWND, BrowserControl*>& Controls() {
  static auto* controls = new std::map<HWND, BrowserControl*>();
  return *controls;
}

LRESULT CALLBACK BrowserWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* control = static_cast<BrowserControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    Controls()[hwnd] = control;
    control->Attach(hwnd);
  }
  BrowserControl* control = BrowserControl::FromWindow(hwnd);
  if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return control->OnMessage(msg, wParam, lParam);
}

void RegisterWindowClass() {
  if (FindWindowClass(kWindowClass)) return;
  WNDCLASSA cls{};
  cls.lpfnWndProc = BrowserWindowProc;
  cls.lpszClassName = kWindowClass;
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  RegisterClassA(&cls);
}

}  // namespace

BrowserControl* BrowserControl::FromWindow(HWND hwnd) {
  auto it = Controls().find(hwnd);
  return it == Controls().end() ? nullptr : it->second;
}

BrowserControl::BrowserControl(IUnknown* site, IDispatch* events)
    : m_site(site), m_events(events), m_record(AddBrowserRecord()) {
  if (m_site) m_site->AddRef();
  if (m_events) m_events->AddRef();
}

BrowserControl::~BrowserControl() { Detach(); }

// The window holds a reference to the control from its first message to its last.
void BrowserControl::Attach(HWND hwnd) {
  m_hwnd = hwnd;
  AddRef();
}

bool BrowserControl::CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, DWORD exStyle) {
  RegisterWindowClass();
  HWND hwnd = CreateWindowExA(exStyle, kWindowClass, "", style | WS_CHILD, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, this);
  if (!hwnd) return false;
  m_record->window = hwnd;
  m_record->parent = parent;
  m_record->control = id;
  m_record->live = this;
  if (m_site) m_site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&m_host));
  AskHostInfo();
  return true;
}

// The host's wishes for the frame; without a host, or when it declines,
// the control keeps its own 3-D border and scroll bars.
void BrowserControl::AskHostInfo() {
  DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), 0, 0, nullptr, nullptr};
  if (!m_host || FAILED(m_host->GetHostInfo(&info))) info.dwFlags = 0;
  if (info.pchHostCss || info.pchHostNS) WINSIM_UNSUPPORTED("host style sheets and namespaces");
  m_record->hostFlags = info.dwFlags;
  m_view.SetHostFlags(info.dwFlags);
}

void BrowserControl::Navigate(const std::string& url) { StartNavigation(WithScheme(url), false); }

// A refresh while a navigation is under way leaves that navigation alone.
void BrowserControl::Refresh() {
  ++m_record->refreshes;
  if (!m_pendingSequence && !m_url.empty()) StartNavigation(m_url, true);
}

void BrowserControl::Stop() {
  ++m_record->stops;
  m_pendingSequence = 0;
}

// A relative link needs a page to be relative to.
bool BrowserControl::FollowLink(const std::string& reference) {
  const std::string target = ResolveUrl(m_url, reference);
  if (!IsAbsoluteUrl(target)) return false;
  Navigate(target);
  return true;
}

void BrowserControl::StartNavigation(const std::string& url, bool reload) {
  if (!m_hwnd) return;  // the window is gone; the container may still call
  m_pendingUrl = url;
  m_pendingReload = reload;
  m_pendingSequence = ++m_lastSequence;
  PostMessageA(m_hwnd, kNavigationDue, m_pendingSequence, 0);
}

void BrowserControl::CompleteNavigation(WPARAM sequence) {
  if (sequence != m_pendingSequence) return;  // stopped or overtaken
  m_pendingSequence = 0;
  const std::string url = m_pendingUrl;
  const bool reload = m_pendingReload;
  Load(url, reload);
  if (reload) return;
  m_record->navigations.push_back(url);
  FireNavigateComplete(url);
}

void BrowserControl::Load(const std::string& url, bool reload) {
  m_view.SetContent(LoadPage(url, reload));
  m_url = url;
  m_record->url = url;
  m_record->title = AnsiToUtf8(m_view.Content().heading);
  AskHostInfo();
  InvalidateRect(m_hwnd, nullptr, FALSE);
  UpdateWindow(m_hwnd);
}

// NavigateComplete2(IDispatch* frame, VARIANT* url), arguments last first.
void BrowserControl::FireNavigateComplete(const std::string& url) {
  if (!m_events) return;
  const std::u16string wide = Utf8ToUtf16(url);
  VARIANT urlValue;
  VariantInit(&urlValue);
  urlValue.vt = VT_BSTR;
  urlValue.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  VARIANTARG args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[0].vt = VT_VARIANT | VT_BYREF;
  args[0].pvarVal = &urlValue;
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = this;
  DISPPARAMS params{args, nullptr, 2, 0};
  // The handler may stop this control or close its dialog.
  AddRef();
  IDispatch* events = m_events;
  events->AddRef();
  events->Invoke(DISPID_NAVIGATECOMPLETE2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                 nullptr, nullptr);
  events->Release();
  VariantClear(&urlValue);
  Release();
}

// The host's answer S_OK means it has dealt with the menu; otherwise the
// control shows its own.
void BrowserControl::ShowContextMenu(POINT screen) {
  if (m_host && m_host->ShowContextMenu(CONTEXT_MENU_DEFAULT, &screen, nullptr, this) == S_OK) return;
  ++m_record->contextMenusShown;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kMenuRefresh, "&Refresh");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kMenuProperties, "P&roperties");
  AddRef();
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hwnd, nullptr));
  DestroyMenu(menu);
  if (chosen == kMenuRefresh && m_hwnd) Refresh();
  Release();
}

// The host sees every key first; the control itself acts on none.
bool BrowserControl::HostTakesKey(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_host) return false;
  MSG message{m_hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&message.pt);
  return m_host->TranslateAccelerator(&message, nullptr, 0) == S_OK;
}

void BrowserControl::OnClick(UINT msg, LPARAM lParam) {
  RECT client;
  GetClientRect(m_hwnd, &client);
  const int link = m_view.LinkAt(client, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  if (msg == WM_LBUTTONDOWN) {
    SetFocus(m_hwnd);
    m_pressedLink = link;
    return;
  }
  if (link >= 0 && link == m_pressedLink) Navigate(m_view.Content().lines[static_cast<size_t>(link)].target);
  m_pressedLink = -1;
}

void BrowserControl::Paint() {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(m_hwnd, &ps);
  RECT client;
  GetClientRect(m_hwnd, &client);
  m_view.Paint(hdc, client);
  EndPaint(m_hwnd, &ps);
}

nlohmann::json BrowserControl::Links() const {
  nlohmann::json links = nlohmann::json::array();
  RECT client;
  GetClientRect(m_hwnd, &client);
  const std::vector<RECT> rects = m_view.LineRects(client);
  for (size_t i = 0; i < rects.size(); ++i) {
    const PageLine& line = m_view.Content().lines[i];
    if (line.target.empty()) continue;
    RECT r = rects[i];
    MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    links.push_back({{"text", AnsiToUtf8(line.text)}, {"url", line.target}, {"rect", {r.left, r.top, r.right, r.bottom}}});
  }
  return links;
}

LRESULT BrowserControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kNavigationDue: CompleteNavigation(wParam); return 0;
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: InvalidateRect(m_hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: OnClick(msg, lParam); return 0;
    case WM_CONTEXTMENU:
      ShowContextMenu(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
      if (HostTakesKey(msg, wParam, lParam)) return 0;
      break;
    case WM_NCDESTROY: {
      HWND hwnd = m_hwnd;
      Detach();
      Controls().erase(hwnd);
      m_hwnd = nullptr;
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      Release();  // the window's
      return result;
    }
    default: break;
  }
  return DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

// The control lets go of its host when its window goes.
void BrowserControl::Detach() {
  m_pendingSequence = 0;
  if (m_record->live) NoteControlGone(*m_record);
  if (m_host) std::exchange(m_host, nullptr)->Release();
  if (m_site) std::exchange(m_site, nullptr)->Release();
  if (m_events) std::exchange(m_events, nullptr)->Release();
}

}  // namespace winsim::browser

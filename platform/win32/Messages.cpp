#include "Messages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "Unsupported.h"
#include "Window.h"
#include "WinBase.h"
#include "desktop/Desktop.h"
#include "desktop/InputQueue.h"

namespace winsim {

namespace {

struct ThreadQueue {
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quit = false;
  int quitCode = 0;
  MSG last{};
};

struct Queues {
  std::mutex mutex;
  std::map<std::thread::id, ThreadQueue> byThread;
  DWORD clock = 1000;
};

Queues& Q() {
  static Queues* queues = new Queues();
  return *queues;
}

ThreadQueue& QueueOf(std::thread::id thread) { return Q().byThread[thread]; }

bool Matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
  if (min == 0 && max == 0) return true;
  return m.message >= min && m.message <= max;
}

bool Take(std::deque<MSG>& queue, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  auto it = std::find_if(queue.begin(), queue.end(), [&](const MSG& m) { return Matches(m, filter, min, max); });
  if (it == queue.end()) return false;
  *out = *it;
  if (remove) queue.erase(it);
  return true;
}

bool WantsPaint(const Window* w) { return (w->needsPaint || w->needsNcPaint) && IsReallyVisible(w); }

// The first window of this thread that waits for painting, parents before children.
Window* FindPaintTarget(HWND filter) {
  for (auto& owned : AllWindows()) {
    Window* w = owned.get();
    if (w->destroyed || w->thread != std::this_thread::get_id() || !WantsPaint(w)) continue;
    if (filter && w->handle != filter && !IsChild(filter, w->handle)) continue;
    return w;
  }
  return nullptr;
}

bool NextPaint(MSG* out, HWND filter, UINT min, UINT max) {
  if (!(min == 0 && max == 0) && !(min <= WM_PAINT && WM_PAINT <= max)) return false;
  while (Window* w = FindPaintTarget(filter)) {
    HWND hwnd = w->handle;
    if (w->needsNcPaint) PaintNonClientNow(hwnd);
    w = FindWindowObject(hwnd);
    if (w && w->needsPaint && IsReallyVisible(w)) {
      *out = MSG{hwnd, WM_PAINT, 0, 0, Q().clock, Desktop().cursor};
      return true;
    }
  }
  return false;
}

// Whether a message filter lets input messages through; only then does
// taking a message route raw input.
bool AdmitsInput(UINT min, UINT max) {
  auto overlaps = [&](UINT first, UINT last) { return min <= last && first <= max; };
  return (min == 0 && max == 0) || overlaps(WM_KEYFIRST, WM_KEYLAST) || overlaps(WM_MOUSEFIRST, WM_MOUSELAST) ||
         overlaps(WM_NCMOUSEMOVE, WM_NCRBUTTONDBLCLK) || overlaps(WM_MOUSELEAVE, WM_MOUSELEAVE);
}

bool Fetch(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  for (;;) {
    std::unique_lock<std::mutex> lock(Q().mutex);
    ThreadQueue& q = QueueOf(std::this_thread::get_id());
    if (Take(q.posted, msg, filter, min, max, remove)) return true;
    if (q.quit) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, Q().clock, Desktop().cursor};
      if (remove) q.quit = false;
      return true;
    }
    if (Take(q.input, msg, filter, min, max, remove)) return true;
    lock.unlock();
    // Raw input is routed one event at a time, only when it is taken, so
    // that hit tests see the windows as the messages before left them.
    if (!AdmitsInput(min, max) || !RouteNextInput()) break;
  }
  return NextPaint(msg, filter, min, max);
}

void Remember(const MSG& msg) {
  std::lock_guard<std::mutex> lock(Q().mutex);
  QueueOf(std::this_thread::get_id()).last = msg;
}

bool TranslatesToChar(WPARAM vk) {
  return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || vk == VK_SPACE || vk == VK_RETURN ||
         vk == VK_ESCAPE || vk == VK_TAB || vk == VK_BACK;
}

bool Held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The character a key gives with the modifiers held (a US keyboard's letters;
// Ctrl with a letter gives its control character).
WPARAM CharacterOf(WPARAM vk) {
  if (vk < 'A' || vk > 'Z') return vk;
  if (Held(VK_CONTROL)) return vk - 'A' + 1;
  return Held(VK_SHIFT) ? vk : vk - 'A' + 'a';
}

}  // namespace

void DiscardQueuedMessages(HWND hwnd) {
  std::lock_guard<std::mutex> lock(Q().mutex);
  for (auto& [thread, q] : Q().byThread) {
    auto gone = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), gone), q.posted.end());
    q.input.erase(std::remove_if(q.input.begin(), q.input.end(), gone), q.input.end());
  }
}

void ResetMessageQueues() {
  std::lock_guard<std::mutex> lock(Q().mutex);
  Q().byThread.clear();
}

void PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD time) {
  Window* w = FindWindowObject(hwnd);
  if (!w) return;
  std::lock_guard<std::mutex> lock(Q().mutex);
  Q().clock = std::max(Q().clock, time);
  QueueOf(w->thread).input.push_back(MSG{hwnd, msg, wParam, lParam, time, Desktop().cursor});
}

bool HasQueuedMessages() {
  {
    std::lock_guard<std::mutex> lock(Q().mutex);
    ThreadQueue& q = QueueOf(std::this_thread::get_id());
    if (!q.posted.empty() || !q.input.empty() || q.quit) return true;
  }
  return HasRawInput();
}

void PaintNonClientNow(HWND hwnd) {
  Window* w = FindWindowObject(hwnd);
  if (!w || !w->needsNcPaint) return;
  w->needsNcPaint = false;
  if (IsReallyVisible(w)) SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

}  // namespace winsim

using namespace winsim;

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowObject(hWnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return w->proc(hWnd, Msg, wParam, lParam);
}

extern "C" BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  std::thread::id thread = std::this_thread::get_id();
  if (hWnd) {
    Window* w = FindWindowObject(hWnd);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    thread = w->thread;
  }
  std::lock_guard<std::mutex> lock(Q().mutex);
  QueueOf(thread).posted.push_back(MSG{hWnd, Msg, wParam, lParam, Q().clock, Desktop().cursor});
  return TRUE;
}

extern "C" BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (idThread != GetCurrentThreadId()) {
    WINSIM_UNSUPPORTED("posting to another thread");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return PostMessageA(nullptr, Msg, wParam, lParam);
}

extern "C" void WINAPI PostQuitMessage(int nExitCode) {
  std::lock_guard<std::mutex> lock(Q().mutex);
  ThreadQueue& q = QueueOf(std::this_thread::get_id());
  q.quit = true;
  q.quitCode = nExitCode;
}

extern "C" BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  for (;;) {
    if (Fetch(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
      Remember(*lpMsg);
      return lpMsg->message == WM_QUIT ? FALSE : TRUE;
    }
    // Nothing to do: the user acts now.
    if (!AdvanceInput()) {
      InputExhausted();
      if (!HasQueuedMessages() && !FindPaintTarget(nullptr)) {
        std::fprintf(stderr, "winsim: input ran out and nothing is left to wait for\n");
        std::abort();
      }
    }
  }
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg) {
  if (!Fetch(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0)) return FALSE;
  if (wRemoveMsg & PM_REMOVE) Remember(*lpMsg);
  return TRUE;
}

extern "C" BOOL WINAPI WaitMessage(void) {
  if (!HasQueuedMessages() && !FindPaintTarget(nullptr) && !AdvanceInput()) InputExhausted();
  return TRUE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (!lpMsg || !lpMsg->hwnd) return 0;
  Window* w = FindWindowObject(lpMsg->hwnd);
  if (!w) return 0;
  return w->proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg || lpMsg->message != WM_KEYDOWN || !TranslatesToChar(lpMsg->wParam)) return FALSE;
  WPARAM ch = CharacterOf(lpMsg->wParam);
  std::lock_guard<std::mutex> lock(Q().mutex);
  ThreadQueue& q = QueueOf(std::this_thread::get_id());
  // The character comes before any later input, as the platform queues it.
  q.posted.push_front(MSG{lpMsg->hwnd, WM_CHAR, ch, lpMsg->lParam, lpMsg->time, lpMsg->pt});
  return TRUE;
}

extern "C" DWORD WINAPI GetMessagePos(void) {
  std::lock_guard<std::mutex> lock(Q().mutex);
  const MSG& m = QueueOf(std::this_thread::get_id()).last;
  return static_cast<DWORD>(MAKELONG(m.pt.x, m.pt.y));
}

extern "C" LONG WINAPI GetMessageTime(void) {
  std::lock_guard<std::mutex> lock(Q().mutex);
  return static_cast<LONG>(QueueOf(std::this_thread::get_id()).last.time);
}

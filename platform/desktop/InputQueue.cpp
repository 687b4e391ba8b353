#include "InputQueue.h"

#include <deque>
#include <mutex>

#include "Desktop.h"

namespace winsim {

namespace {

// Events of one action follow each other closely, as a device reports them.
constexpr DWORD kEventSpacing = 10;
constexpr DWORD kClockStart = 1000;

struct RawQueue {
  std::mutex mutex;
  std::deque<RawInput> events;
  DWORD clock = kClockStart;
};

RawQueue& R() {
  static auto* queue = new RawQueue();
  return *queue;
}

bool IsPointerEvent(const RawInput& e) {
  return e.kind == RawInput::Kind::Move || e.kind == RawInput::Kind::Press || e.kind == RawInput::Kind::Release;
}

// Where the pointer is once every waiting event is taken. Called with the lock held.
POINT PointerAfterQueue(const RawQueue& q) {
  for (auto it = q.events.rbegin(); it != q.events.rend(); ++it) {
    if (IsPointerEvent(*it)) return it->point;
  }
  return Desktop().cursor;
}

void PushLocked(RawQueue& q, RawInput event) {
  if (event.time == 0) {
    q.clock += kEventSpacing;
    event.time = q.clock;
  } else if (event.time > q.clock) {
    q.clock = event.time;
  }
  q.events.push_back(event);
}

}  // namespace

void QueueRawInput(RawInput event) {
  std::lock_guard<std::mutex> lock(R().mutex);
  PushLocked(R(), event);
}

void QueuePointerMove(POINT p, DWORD time) {
  RawQueue& q = R();
  std::lock_guard<std::mutex> lock(q.mutex);
  POINT at = PointerAfterQueue(q);
  if (at.x == p.x && at.y == p.y) return;
  RawInput move;
  move.point = p;
  move.time = time;
  PushLocked(q, move);
}

void QueueButton(MouseButton button, bool down, POINT p, DWORD time) {
  QueuePointerMove(p, time);
  RawInput press;
  press.kind = down ? RawInput::Kind::Press : RawInput::Kind::Release;
  press.point = p;
  press.button = button;
  press.time = time;
  QueueRawInput(press);
}

void QueueKey(UINT vk, bool down, DWORD time) {
  RawInput key;
  key.kind = down ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
  key.vk = vk;
  key.time = time;
  QueueRawInput(key);
}

void PauseInput(DWORD milliseconds) {
  std::lock_guard<std::mutex> lock(R().mutex);
  R().clock += milliseconds;
}

std::optional<RawInput> TakeRawInput() {
  std::lock_guard<std::mutex> lock(R().mutex);
  if (R().events.empty()) return std::nullopt;
  RawInput event = R().events.front();
  R().events.pop_front();
  return event;
}

bool HasRawInput() {
  std::lock_guard<std::mutex> lock(R().mutex);
  return !R().events.empty();
}

void ResetRawInput() {
  std::lock_guard<std::mutex> lock(R().mutex);
  R().events.clear();
  R().clock = kClockStart;
}

}  // namespace winsim

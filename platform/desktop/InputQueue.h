// The desktop's raw input: what the user's pointer and keyboard report, in
// the order they report it. Front ends (the script player, a window on a real
// display) queue events here; nothing is routed yet. A message loop takes one
// event at a time when it looks for input (GetMessage, PeekMessage), and only
// then is the event routed: which window is under the pointer, its hit code,
// the focus. So a window that an earlier message moved is hit-tested where it
// is now.
#pragma once

#include <optional>

#include "win32/WinDef.h"

namespace winsim {

enum class MouseButton { Left, Right };

struct RawInput {
  enum class Kind { Move, Press, Release, KeyDown, KeyUp };
  Kind kind = Kind::Move;
  POINT point{};                          // pointer events: screen coordinates
  MouseButton button = MouseButton::Left;  // Press and Release
  UINT vk = 0;                            // key events: the virtual key
  DWORD time = 0;                         // milliseconds on the input clock
};

// Producers. An event queued with time 0 is stamped from the input clock, a
// little after the event before it. QueueRawInput, QueueKey and PauseInput
// are safe from any thread.
void QueueRawInput(RawInput event);
void QueueKey(UINT vk, bool down, DWORD time = 0);
// The pointer goes to `p`; nothing is queued when it is there already. Where
// the pointer is, when no event waits, is the desktop's cursor: call these two
// on the thread that runs the message loop.
void QueuePointerMove(POINT p, DWORD time = 0);
// A button goes down or up at `p`; the pointer moves there first when it is elsewhere.
void QueueButton(MouseButton button, bool down, POINT p, DWORD time = 0);
// Lets time pass on the input clock: a person's pause between two actions.
void PauseInput(DWORD milliseconds);

// Consumers.
std::optional<RawInput> TakeRawInput();
bool HasRawInput();
// Forgets queued events and the clock (between tests).
void ResetRawInput();

}  // namespace winsim

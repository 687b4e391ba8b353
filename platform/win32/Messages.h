// Message queues: one per thread, with posted messages, input messages made
// from user actions, and the paint and quit states that GetMessage turns into
// messages when nothing else is waiting.
#pragma once

#include "WinUser.h"

namespace winsim {

void DiscardQueuedMessages(HWND hwnd);
void ResetMessageQueues();
// Queues a routed input message (mouse, keyboard) for the window's thread;
// the message carries the cursor position of the moment and the input's time.
void PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD time);
// True when the calling thread's queue holds a posted or input message, or
// raw input waits to be routed.
bool HasQueuedMessages();
// Sends WM_NCPAINT now when the window's frame needs it.
void PaintNonClientNow(HWND hwnd);
// Sends WM_ERASEBKGND now when the window's client area waits for erasing.
void EraseBackgroundNow(HWND hwnd);

}  // namespace winsim

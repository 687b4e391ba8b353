// The taskbar: a strip below the work area with a button for each window
// that has one, and the tray icons at the right.
#pragma once

#include <string>
#include <vector>

#include "win32/WinUser.h"

namespace winsim {

struct TrayIcon {
  HWND owner = nullptr;
  UINT id = 0;
  UINT callback = 0;  // 0 when the icon sends no messages
  HICON icon = nullptr;
  std::string tip;  // ANSI
};

std::vector<TrayIcon>& TrayIcons();
// The taskbar's window, made when first needed; null when the desktop has
// no strip below its work area.
HWND EnsureTaskbar();
// Redraws the taskbar from the current windows and tray icons.
void RefreshTaskbar();
// Where a tray icon sits on the screen.
RECT TrayIconRect(size_t index);

}  // namespace winsim

// Shell_NotifyIconA: icons in the taskbar's tray.
#include <algorithm>
#include <cstring>

#include "Shell.h"
#include "WinBase.h"
#include "desktop/Taskbar.h"

namespace {

// The record sizes of the platform's versions of the ANSI record, and ours.
constexpr DWORD kVersion1Size = 88;
constexpr DWORD kKnownSizes[] = {kVersion1Size, 488, 504, 508, sizeof(NOTIFYICONDATAA)};
constexpr size_t kVersion1TipLength = 64;

bool KnownSize(DWORD size) {
  return std::find(std::begin(kKnownSizes), std::end(kKnownSizes), size) != std::end(kKnownSizes);
}

auto Find(HWND owner, UINT id) {
  auto& icons = winsim::TrayIcons();
  return std::find_if(icons.begin(), icons.end(), [&](const winsim::TrayIcon& i) { return i.owner == owner && i.id == id; });
}

void Apply(winsim::TrayIcon& icon, const NOTIFYICONDATAA& data) {
  if (data.uFlags & NIF_MESSAGE) icon.callback = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.icon = data.hIcon;
  if (data.uFlags & NIF_TIP) {
    size_t limit = data.cbSize == kVersion1Size ? kVersion1TipLength : sizeof data.szTip;
    icon.tip.assign(data.szTip, strnlen(data.szTip, limit - 1));
  }
}

}  // namespace

extern "C" BOOL WINAPI Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData) {
  if (!lpData || !KnownSize(lpData->cbSize) || !IsWindow(lpData->hWnd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& icons = winsim::TrayIcons();
  auto found = Find(lpData->hWnd, lpData->uID);
  switch (dwMessage) {
    case NIM_ADD: {
      if (found != icons.end()) return FALSE;
      winsim::TrayIcon icon{lpData->hWnd, lpData->uID, 0, nullptr, ""};
      Apply(icon, *lpData);
      icons.push_back(icon);
      break;
    }
    case NIM_MODIFY:
      if (found == icons.end()) return FALSE;
      Apply(*found, *lpData);
      break;
    case NIM_DELETE:
      if (found == icons.end()) return FALSE;
      icons.erase(found);
      break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  winsim::RefreshTaskbar();
  return TRUE;
}

// What every Web Browser control of the process did, for dumps and for the
// script actions that reach a dialog's browser. A record outlives its
// control, so the final dump still shows a closed dialog's browser.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win32/WinUser.h"

namespace winsim::browser {

class BrowserControl;

struct ExternalRead {
  std::string name;    // UTF-8
  std::string result;  // the value as text, or what failed
};

struct BrowserRecord {
  HWND window = nullptr;
  HWND parent = nullptr;
  int dialog = -1;  // template id of the dialog that holds the control
  UINT control = 0;
  std::string url;    // the page shown, UTF-8
  std::string title;  // its title, UTF-8
  bool silent = false;
  std::vector<std::string> navigations;  // completed, in order
  int refreshes = 0;
  int stops = 0;
  DWORD hostFlags = 0;
  int contextMenusShown = 0;
  std::vector<ExternalRead> external;
  BrowserControl* live = nullptr;  // null once the control's window is gone
};

std::shared_ptr<BrowserRecord> AddBrowserRecord();
// The live control of the dialog made from that template, or null.
BrowserControl* FindBrowserOfDialog(int dialog);
// Forgets the records (between tests); live controls keep theirs.
void ForgetBrowserRecords();
// The control's window is going: the record keeps what it last knew.
void NoteControlGone(BrowserRecord& record);

}  // namespace winsim::browser

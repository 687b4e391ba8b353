// The dialog manager's record of a dialog window.
#pragma once

#include "Window.h"

namespace winsim {

struct DialogState {
  int defaultId = 0;          // DM_SETDEFID, or the template's default push button
  HWND savedFocus = nullptr;  // the control that gets the focus back on activation
  bool ended = false;
  INT_PTR result = 0;
  HFONT font = nullptr;
  HFONT templateFont = nullptr;  // made from the template, deleted with the dialog
  int baseX = 8;  // horizontal dialog base unit in pixels (4 dialog units)
  int baseY = 16; // vertical dialog base unit in pixels (8 dialog units)
};

DialogState* DialogOf(HWND hwnd);
// Where a top-level window of this size goes to be centred over its owner
// (over the work area when the owner is absent, hidden or minimised), kept
// on the work area.
POINT CentredPosition(HWND owner, SIZE size);
// Dialog base units for a template's font.
void DialogBaseUnits(WORD pointSize, bool hasFont, int& baseX, int& baseY);

}  // namespace winsim

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
  int baseX = 8;  // horizontal dialog base unit in pixels (4 dialog units)
  int baseY = 16; // vertical dialog base unit in pixels (8 dialog units)
};

DialogState* DialogOf(HWND hwnd);
// Dialog base units for a template's font.
void DialogBaseUnits(WORD pointSize, bool hasFont, int& baseX, int& baseY);

}  // namespace winsim

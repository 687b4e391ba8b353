// How the system's controls look: push buttons, group boxes and static text,
// drawn in the classic three-dimensional style.
#pragma once

#include "Window.h"

namespace winsim {

struct ButtonLook {
  bool pushed = false;
  bool focused = false;
};

// Each paints the control's whole client area into `dc` with `font` (null:
// the DC's font).
void PaintPushButton(const Window* w, HDC dc, HFONT font, ButtonLook look);
void PaintGroupBox(const Window* w, HDC dc, HFONT font);
// Static text in the colours and brush that the parent's WM_CTLCOLORSTATIC answer sets.
void PaintStaticText(const Window* w, HDC dc, HFONT font);

}  // namespace winsim

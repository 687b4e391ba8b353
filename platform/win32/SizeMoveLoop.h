// The modal loops the default window procedure runs while the user drags a
// window's caption, drags one of its sizing borders or holds a caption button.
#pragma once

#include "WinDef.h"

namespace winsim {

void RunMoveLoop(HWND hwnd);
// `edge` is WMSZ_LEFT (1) ... WMSZ_BOTTOMRIGHT (8).
void RunSizeLoop(HWND hwnd, int edge);
// True when the button is released over the same caption button.
bool TrackCaptionButton(HWND hwnd, int hit);

}  // namespace winsim

// Check boxes and option buttons: the control paints itself, the skin then
// replaces the small glyph at its left edge.
#pragma once

#include <windows.h>

namespace skin {

// Draws the glyph for state (0 normal, 1 hot, 2 pressed) with the control's
// current check mark into its window DC. Unless force is set, nothing is
// drawn when the state equals OLDSTATE. Returns 1 when drawn, 0 when
// skipped.
int PaintCheckBox(HWND window, int state, bool force);
int PaintOptionButton(HWND window, int state, bool force);

}  // namespace skin

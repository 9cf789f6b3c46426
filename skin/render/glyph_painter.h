// Check boxes and option buttons: the control paints itself, the skin then
// replaces the small glyph at its left edge.
#pragma once

#include <windows.h>

namespace skin {

// Draws the glyph for state (0 normal, 1 hot, 2 pressed) with the control's
// current check mark into its window DC. Unless force is set, nothing is
// drawn when the state equals OLDSTATE. Returns 1 when drawn, 0 when
// skipped. A caller that knows the window procedure below the skin passes
// it, and the check mark is asked of it directly.
int PaintCheckBox(HWND window, int state, bool force, WNDPROC previous = nullptr);
int PaintOptionButton(HWND window, int state, bool force, WNDPROC previous = nullptr);

// Frees the glyphs kept once composed, and the glyph size read with them:
// the next paints compose anew at the current DPI, colours and settings.
void ForgetComposedGlyphs();

}  // namespace skin

// The flat frame the skin draws over the outermost pixels of lists.
#pragma once

#include <windows.h>

namespace skin {

// A one-pixel ring in the frame colour (enabled or disabled) on the
// window's outermost pixels and, with inner_ring, a white ring inside it.
// dc is a window DC of the window; null means get and release one here.
void DrawFrameRings(HWND window, HDC dc, bool inner_ring);

}  // namespace skin

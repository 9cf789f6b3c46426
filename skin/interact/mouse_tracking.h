// Leave tracking: one WM_MOUSELEAVE when the cursor leaves a window.
#pragma once

#include <windows.h>

namespace skin {

// Asks the platform for one WM_MOUSELEAVE when the cursor leaves the window,
// through user32 where it exports TrackMouseEvent, else through comctl32.
void TrackMouseLeave(HWND window);

}  // namespace skin

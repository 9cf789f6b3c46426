// The non-client parts the skin draws: flat one-pixel borders instead of
// sunken client edges, and progress bars drawn whole.
#pragma once

#include <windows.h>

namespace skin {

// Paints a progress bar entirely, frame and client, into its window DC.
// Returns 0. previous: the bar's procedure below the skin, as for
// AskWindow.
LRESULT PaintProgressFrame(HWND window, WNDPROC previous = nullptr);

// A flat ring in the frame colour (disabled colour for a disabled window),
// then rings in the background colour over the rest of the client edge.
void DrawClientEdgeBorder(HWND window);

}  // namespace skin

// List headers, painted entirely by the skin: a background column and one
// sprite cell per item, with the item texts centred on them.
#pragma once

#include <windows.h>

#include "state/message.h"

namespace skin {

// WM_PAINT of a header. The header's own procedure never sees it.
LRESULT PaintHeader(const Message& m);

// Redraws one item: state 1 hot, 2 pressed, anything else normal. dc null
// means the window DC. A negative index draws nothing. Returns 0.
// previous: the header's procedure below the skin, as for AskWindow.
int PaintHeaderItem(HWND window, HDC dc, int index, int state, WNDPROC previous = nullptr);

}  // namespace skin

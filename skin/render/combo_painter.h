// Combo boxes and drive lists: a flat frame and the skin's drop button.
#pragma once

#include <windows.h>

#include "state/message.h"

namespace skin {

// Draws the drop button in state (0 normal, 1 hot, 2 pressed) into dc, or
// into the window DC when dc is null. While the list is dropped down the
// state becomes 2, in the caller's variable too. Unless force is set,
// nothing is drawn when the state equals OLDSTATE. Simple combo boxes have
// no drop button and are left alone. previous: the combo's procedure below
// the skin, as for AskWindow.
void PaintComboButton(HWND window, HDC dc, int& state, bool force, WNDPROC previous = nullptr);

// WM_PAINT of a combo box and of a drive list.
LRESULT PaintComboBox(const Message& m);
LRESULT PaintDriveList(const Message& m);

}  // namespace skin

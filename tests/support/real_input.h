// Real input for tests: the cursor, the left button and keys through
// SetCursorPos and SendInput, each followed by a short wait in which the
// queue is dispatched.
#pragma once

#include <windows.h>

namespace skin_test {

// Dispatches what arrives for about ms milliseconds.
void Settle(int ms = 60);

// The cursor to a point of the window (window coordinates), or its middle.
void MoveTo(HWND window, int x, int y);
void MoveOnto(HWND window);

// One mouse event (MOUSEEVENTF_LEFTDOWN, ...) at the cursor.
void Mouse(DWORD flag);

// One key down or up.
void Key(WORD vk, bool up);

}  // namespace skin_test

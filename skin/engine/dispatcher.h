// The window procedure of every attached window.
#pragma once

#include <windows.h>

namespace skin {

LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin

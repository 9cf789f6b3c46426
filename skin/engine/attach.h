// Attaching the skin to windows and taking it off again.
#pragma once

#include <windows.h>

namespace skin {

// 1 if this call attached the window (and, for a form, its descendants
// first); 0 for a null handle, a window already attached, or a handle that
// is not a window of this thread.
int AttachWindow(HWND window);
// 1 if this call detached the window; 0 for a null handle or a window that
// is not attached.
int DetachWindow(HWND window);

BOOL CALLBACK AttachChildProc(HWND child, LPARAM unused);
BOOL CALLBACK DetachChildProc(HWND child, LPARAM unused);

// True when the library exports the function. A library that had to be
// loaded for the question is freed again.
bool IsApiExported(const char* function, const char* library);

}  // namespace skin

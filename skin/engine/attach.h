// Attaching the skin to windows and taking it off again.
#pragma once

#include <windows.h>

namespace skin {

// 1 if this call attached the window (and, for a form, its descendants
// first); 0 for a null handle, a window already attached, or a handle that
// is not a window of this thread.
int AttachWindow(HWND window);
// 1 if this call detached the window; 0 for a null handle or a window that
// is not attached. With another subclass above the skin, the skin stays in
// the chain as a pass-through (PassOn) instead of cutting that subclass out.
int DetachWindow(HWND window);

// The skin's procedure on a window it is no longer attached to: passes the
// message on to the procedure below the skin (PASSPROC), leaving the chain
// when it can (on top again, or WM_NCDESTROY); with nothing below, the
// default procedure.
LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL CALLBACK AttachChildProc(HWND child, LPARAM unused);
BOOL CALLBACK DetachChildProc(HWND child, LPARAM unused);
// EnumThreadWindows callback: detaches, with its descendants, every window
// owned by the window in lParam.
BOOL CALLBACK DetachOwnedProc(HWND top, LPARAM owner);

// True when the library exports the function. A library that had to be
// loaded for the question is freed again.
bool IsApiExported(const char* function, const char* library);

}  // namespace skin

// Tarnwick skin engine: the whole public interface.
//
// Call SkinAttach with a top-level window before it is first shown and
// SkinDetach with the same window when it unloads (before it is destroyed).
// Attaching subclasses the window and every descendant, draws push buttons,
// check boxes, option buttons, combo boxes, headers, progress bars and
// client-edge borders in the skin's look, and follows windows that appear
// later (drop-down lists, dialog boxes). Detaching restores every window and
// frees every drawing object. Single-threaded: call both on the GUI thread.
#pragma once

#include <windows.h>

// Returns 1 if this call attached the window, 0 if the handle is null or the
// window was already attached.
int SkinAttach(HWND window);

// Returns 1 if this call detached the window, 0 if the handle is null or the
// window was not attached.
int SkinDetach(HWND window);

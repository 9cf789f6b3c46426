// Tarnwick skin engine: the whole public interface.
//
// Call SkinAttach with a top-level window before it is first shown and
// SkinDetach with the same window when it unloads (before it is destroyed).
//
// Threads: call both on the thread that created the window. Any number of
// GUI threads may use the engine at once, each for its own windows: every
// thread that attaches a window has its own skin state (sprite sheets,
// attached-window count), set up by its first attach and freed when its
// own last attached window is detached or destroyed; nothing is locked and
// no thread waits for another. A window of another thread is never taken,
// neither when passed in nor when reached through the window passed in (a
// descendant created by another thread, a drop-down list, an owned
// window). Detach or destroy a thread's skinned windows before the thread
// ends.
//
// SkinAttach subclasses the window and every descendant it has at that
// moment, whatever the window's class, and draws them in the skin's look by
// window class name (README, "Reusing the skin engine"). Windows created
// later are not followed, except a combo box's drop-down list, dialog boxes
// and menu windows entering their idle loop, and forms, dialog boxes and
// child windows that take the activation from a skinned window (message
// boxes among them), and child dialogs created inside a skinned window
// (property sheet pages). Attach any other later window on its own with
// SkinAttach(child) and take it off with SkinDetach(child).
//
// SkinDetach takes the skin off the window and every descendant, off the
// drop-down lists of its combo boxes, and off the windows it owns that the
// skin followed for it (dialog boxes that took the activation or entered
// their idle loop); a window the host attached itself with SkinAttach stays
// attached until the host detaches it or it is destroyed. Every window
// detached gets back its window procedure, style and region, every skin
// property is removed and every drawing object freed; when no window of the
// thread is attached any more, its sprite sheets are freed too. A skinned
// window that is destroyed is detached on the way.
//
// Host subclasses: a subclass installed above the skin after attach
// (SetWindowLongPtr or SetWindowSubclass) keeps working after SkinDetach.
// The skin then stays in that window's chain as a pure pass-through, which
// takes itself out when the host's subclass removes itself or when the
// window is destroyed.
#pragma once

#include <windows.h>

#define TARNWICK_VERSION_MAJOR 1
#define TARNWICK_VERSION_MINOR 0
#define TARNWICK_VERSION_PATCH 0
#define TARNWICK_VERSION_STRING "1.0.0"

#ifdef __cplusplus
extern "C" {
#endif

// Returns 1 if this call attached the window. Returns 0, and changes
// nothing, for a null handle, a handle that is not a window (a destroyed
// one), a window of another thread or process, or a window already
// attached (its descendants are not looked at again then: attach a later
// child on its own).
int SkinAttach(HWND window);

// Returns 1 if this call detached the window. Returns 0, and changes
// nothing, for a null handle, a destroyed window, a window of another
// thread or process, or a window that is not attached (never attached or
// already detached).
int SkinDetach(HWND window);

#ifdef __cplusplus
}
#endif

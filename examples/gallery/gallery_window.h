// The gallery's window: a skinned control of every family the skin knows,
// filled with sample content. Closing it (WM_CLOSE) takes the skin off and
// destroys it.
#pragma once

#include <windows.h>

namespace gallery {

// Creates, skins and shows the window. With quit_on_destroy, destroying it
// ends the thread's message loop.
HWND CreateGalleryWindow(int show, bool quit_on_destroy);

}  // namespace gallery

// Push-button faces: four images rendered ahead of time, one per visual
// state, and blended onto the button with a constant alpha.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// Blends the image of the button's current state (OLDSTATE) at ALPHALEVEL
// into dc, or into the window DC when dc is null. Returns 0.
int BlendButtonImage(HWND window, HDC dc);
// The same at a level the caller has just read from ALPHALEVEL itself.
int BlendButtonImageAt(HWND window, HDC dc, int alpha);

// Renders the four state images into the button's image DCs at its
// current size: face, caption, and the focus mark when it has the focus.
void RenderButtonImages(HWND window);

// The window's whole text.
std::wstring GetWindowCaption(HWND window);

// One DrawTextW call into (x, y, width, height); returns its result.
int DrawCaptionText(HDC dc, const std::wstring& text, int x, int y, int width, int height, UINT format);

int DrawFocusMark(HDC dc, int x, int y, int width, int height);

}  // namespace skin

// Push-button faces: four images rendered ahead of time, one per visual
// state, and blended onto the button with a constant alpha.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// A push button's four image DCs ("0HDC".."3HDC"), read once for a message.
struct ButtonImages {
  HDC dc[4] = {};
  // All four are there: the button is skinned (detach removes them).
  bool Complete() const { return dc[0] && dc[1] && dc[2] && dc[3]; }
};
ButtonImages ReadButtonImages(HWND window);

// Blends the image of the button's current state (OLDSTATE) at ALPHALEVEL
// into dc, or into the window DC when dc is null. Returns 0.
int BlendButtonImage(HWND window, HDC dc);
// The same at a level the caller has just read from ALPHALEVEL itself.
int BlendButtonImageAt(HWND window, HDC dc, int alpha);
// The same for a window the caller knows to be a plain push button.
int BlendPushButtonImageAt(HWND window, HDC dc, int alpha);
// The same for a plain push button whose images and size the caller has
// read in this message already.
int BlendButtonImageOf(HWND window, HDC dc, int alpha, const ButtonImages& images, int width, int height);

// Renders the four state images into the button's image DCs at its
// current size: face, caption, and the focus mark when it has the focus.
void RenderButtonImages(HWND window);
// The same into images of width x height, for a button whose saved style
// the caller has read. Font and caption are asked of previous, the
// procedure below the skin, when the caller knows it.
void RenderButtonImages(HWND window, const ButtonImages& images, int width, int height, LONG style,
                        WNDPROC previous);

// The window's whole text; asked of previous when it is given.
std::wstring GetWindowCaption(HWND window, WNDPROC previous = nullptr);

// One DrawTextW call into (x, y, width, height); returns its result.
int DrawCaptionText(HDC dc, const std::wstring& text, int x, int y, int width, int height, UINT format);

int DrawFocusMark(HDC dc, int x, int y, int width, int height);

}  // namespace skin

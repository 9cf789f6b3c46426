// Mouse, keyboard, focus and enable handlers of every skinned window.
// Each passes the message on first, then updates the control's visual
// state in its window properties and shows it.
#pragma once

#include "state/message.h"

namespace skin {

LRESULT OnMouseMove(const Message& m);
LRESULT OnMouseLeave(const Message& m);
LRESULT OnLButtonDown(const Message& m);
LRESULT OnLButtonUp(const Message& m);
LRESULT OnLButtonDblClk(const Message& m);
LRESULT OnKeyDown(const Message& m);
LRESULT OnKeyUp(const Message& m);
LRESULT OnSetFocus(const Message& m);
LRESULT OnKillFocus(const Message& m);
LRESULT OnEnable(const Message& m);
// BM_SETSTATE: the skin's face, pushed or not, over whatever the owner-drawn
// button drew.
LRESULT OnSetState(const Message& m);
// WM_CAPTURECHANGED: a push button that loses the capture while held is
// released.
LRESULT OnCaptureChanged(const Message& m);
// WM_SETTEXT, WM_SETFONT and BM_SETIMAGE: push buttons render their images
// anew; check
// boxes and option buttons put their glyph back over the control's own.
LRESULT OnTextOrFontChange(const Message& m);
// BM_SETCHECK: the glyph shows the new check mark at once.
LRESULT OnSetCheck(const Message& m);
// WM_ERASEBKGND: skinned push buttons are not erased.
LRESULT OnEraseBackground(const Message& m);

// Requests leave tracking once per stay of the mouse (MOUSEFLAG 0 -> 1).
// Returns true when this call armed it.
bool ArmLeaveTracking(HWND window);

}  // namespace skin

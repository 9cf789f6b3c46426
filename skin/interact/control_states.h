// Hot and pressed looks of check boxes, option buttons, combo boxes, drive
// lists and headers. The handlers of button_states.cpp call these after
// they have passed the message on; each acts only on its own families.
#pragma once

#include <windows.h>

#include "state/families.h"
#include "state/message.h"

namespace skin {

void ControlMouseMove(const Message& m, ControlFamily family);
void ControlMouseLeave(const Message& m, ControlFamily family);
void ControlLButtonDown(const Message& m, ControlFamily family);
void ControlLButtonUp(const Message& m, ControlFamily family);
void ControlLButtonDblClk(const Message& m, ControlFamily family);
void ControlKeyDown(const Message& m, ControlFamily family);
void ControlKeyUp(const Message& m, ControlFamily family);
void ControlFocusChange(const Message& m, ControlFamily family);
void ControlEnable(const Message& m, ControlFamily family);
// After the control painted itself outside WM_PAINT (new check mark or
// text): its glyph again, in the state last painted, forced.
void ControlRepaintGlyph(const Message& m, ControlFamily family);

// The drop-down list of a skinned combo box or drive list has closed: its
// drop button shows hot when the cursor is on it, else normal.
void ControlListClosed(HWND combo);

// The header item whose horizontal extent holds x, edges inclusive, the
// first one winning on a shared edge; -1 for none. previous: as for
// AskWindow.
int HeaderHitTest(HWND header, int x, WNDPROC previous = nullptr);

// Whether (x, y), in client coordinates, lies on an editable drop-down
// combo's drop button.
bool IsOnDropButton(HWND combo, int x, int y);

// EnumChildWindows callback: repaints every skinned check box and option
// button with its current check mark. Always continues.
BOOL CALLBACK RefreshGroupProc(HWND window, LPARAM);

// Runs RefreshGroupProc over the descendants of the window's parent (of the
// window itself when it has none).
void RefreshGroupAfterRelease(HWND window);

}  // namespace skin

// What a skinned push button keeps of the push button it is, although the
// skin makes it owner-drawn: its type as the host and the dialog manager
// see it (default or not), and the dialog codes that follow from it.
#pragma once

#include <windows.h>

#include "state/message.h"

namespace skin {

// WM_GETDLGCODE: a skinned push button answers as the push button type the
// host gave it, so the dialog manager moves the default with the focus.
LRESULT OnGetDlgCode(const Message& m);

// BM_SETSTYLE: a push-button type asked for while skinned is kept as the
// button's own type (reported and restored at detach) while the window
// stays owner-drawn; any other type takes the button out of the skin's
// drawing.
LRESULT OnSetStyle(const Message& m);

// Makes an attached push button owner-drawn without its own type being
// taken for the host's choice.
void SwitchToOwnerDraw(HWND window);

}  // namespace skin

// Windows that appear after attach and are skinned on the fly: a combo box's
// drop-down list, dialog boxes and menu windows entering their idle loop,
// and forms, dialog boxes and child windows taking the activation.
#pragma once

#include "state/message.h"

namespace skin {

// WM_ACTIVATE: attaches the other window of the change when it is a child
// of this window or a form, before the forward.
LRESULT OnActivate(const Message& m);

// WM_ENTERIDLE and WM_CTLCOLORLISTBOX: attaches the window named in lParam
// (the dialog box or menu window, or the drop-down list) after the forward.
LRESULT OnWindowNamed(const Message& m);

}  // namespace skin

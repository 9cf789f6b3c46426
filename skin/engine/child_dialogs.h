// Child dialogs that appear inside a skinned window after it was attached
// (the pages of a property sheet, created when first shown): skinned as
// they appear, with the controls they are given, and detached with it.
#pragma once

#include "state/message.h"

namespace skin {

// WM_PARENTNOTIFY: a child dialog just created under this window is
// attached at once, before its controls exist.
LRESULT OnParentNotify(const Message& m);

// WM_INITDIALOG: a skinned dialog attaches the controls it was given, once
// its own procedure has initialised them.
LRESULT OnInitDialog(const Message& m);

}  // namespace skin

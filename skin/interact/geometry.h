// Keeping the skin in step with windows that appear, change size or move.
#pragma once

#include "core/message.h"

namespace skin {

// WM_ACTIVATE: attaches the other window of the change when it is a child
// of this window or a form, before the forward.
LRESULT OnActivate(const Message& m);
// WM_SIZE: a push button gets images and a region of its new size.
LRESULT OnSize(const Message& m);
// WM_WINDOWPOSCHANGING: the drop button of combo boxes and drive lists is
// shown normal again.
LRESULT OnWindowPosChanging(const Message& m);

}  // namespace skin

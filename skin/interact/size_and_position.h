// Keeping the skin in step with windows that change size or move.
#pragma once

#include "state/message.h"

namespace skin {

// WM_SIZE: a push button gets images and a region of its new size.
LRESULT OnSize(const Message& m);
// The same for a push button now: images of its current size, rendered
// anew, and its rounded region.
void FitButtonToItsSize(HWND window);
// WM_WINDOWPOSCHANGING: the drop button of combo boxes and drive lists is
// shown normal again.
LRESULT OnWindowPosChanging(const Message& m);

}  // namespace skin

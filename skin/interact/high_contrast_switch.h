// Turning high-contrast mode on and off while windows are attached. The
// system announces it to top-level windows with WM_SETTINGCHANGE and
// WM_SYSCOLORCHANGE; the skinned top-level window then gives itself and
// every attached descendant the look that goes with the mode: the
// platform's while it is on, the skin's while it is off. Nothing is
// attached, detached, made or freed on the way (high_contrast.h).
#pragma once

#include <windows.h>

#include "state/message.h"

namespace skin {

// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: forwarded first; on a top-level
// window the mode is read again and the looks follow it.
LRESULT OnSystemLookChange(const Message& m);

// An attached window as the platform shows it: a push button gets its own
// style back and loses its region, its fade stops; its images stay.
void ShowPlatformLook(HWND window);

}  // namespace skin

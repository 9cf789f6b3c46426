// The hover fade of push buttons: a 15 ms window timer that blends the
// current state's image a little more opaquely on every tick.
#pragma once

#include <windows.h>

#include "state/message.h"

namespace skin {

inline constexpr UINT_PTR kFadeTimerId = 1;
inline constexpr UINT kFadeIntervalMs = 15;
inline constexpr int kFadeStep = 3;
inline constexpr int kFadeLastLevel = 255;

// Starts the timer unless one runs; returns SetTimer's result, or 0 when a
// timer was already running.
UINT_PTR StartFadeTimer(HWND window);
// Stops a running timer; returns KillTimer's result, or 0 when none ran.
BOOL StopFadeTimer(HWND window);

// WM_TIMER: one blend step for push buttons, then the forward.
LRESULT OnTimer(const Message& m);

}  // namespace skin

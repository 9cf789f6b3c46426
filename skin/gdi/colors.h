// The skin's named colours, COLORREF 0x00BBGGRR.
#pragma once

#include <windows.h>

namespace skin {
inline constexpr COLORREF kColorFrameEnabled = 0xD5A554;
inline constexpr COLORREF kColorFrameDisabled = 0xE9CFA4;
inline constexpr COLORREF kColorFramePressed = 0xC48639;
inline constexpr COLORREF kColorProgressFill = 0xF6D64C;
inline constexpr COLORREF kColorCaptionDisabled = 0x968A79;
inline constexpr COLORREF kColorKey = 0xFF00FF;
inline constexpr COLORREF kColorWhite = 0xFFFFFF;
inline constexpr COLORREF kColorBlack = 0x000000;

// Every caption and header text: DT_CENTER | DT_VCENTER | DT_SINGLELINE |
// DT_END_ELLIPSIS.
inline constexpr UINT kCaptionFormat = 0x8025;
}  // namespace skin

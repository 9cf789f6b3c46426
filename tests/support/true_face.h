// Whether a skinned control shows exactly the face of its real state:
// its pixels against those of a reference control, made alike on a form of
// its own, freshly attached and painted in that state.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

namespace skin_test {

enum class Face { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

const char* FaceName(Face face);

// Lets a running fade of the control run to its end, then compares its
// window rectangle (or only `area` of it, in window coordinates) pixel for
// pixel with a reference of the same class, style, size, text, font, check
// mark, items and enabled state, shown in `face` (a disabled check box or
// option button is compared in its normal face). A focused push button is
// compared with images that carry the focus mark; any other control must
// not have the focus unless an area is given (the reference cannot have it).
// With settle false the control's pixels are read as they are, before any
// queued message (a pending repaint) or fade step has run.
::testing::AssertionResult ShowsTrueFace(HWND control, Face face, const RECT* area = nullptr, bool settle = true);

}  // namespace skin_test

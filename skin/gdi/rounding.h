// Rounding used wherever the skin halves a difference or scales by a
// fraction: to the nearest integer, halves to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0). Pure, no windows.h.
#pragma once

namespace skin {

// value / 2, rounded half to even.
int HalveToEven(int value);

// Nearest integer, halves to even.
int RoundHalfToEven(double value);

}  // namespace skin

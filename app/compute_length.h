// The slab length: weight / thickness / width / density of steel.
#pragma once

#include <string_view>

namespace tarnwick {

constexpr double kSteelDensity = 7.85;  // tonnes per cubic metre

enum class LengthStatus {
  kOk,
  kZeroDivisor,  // thickness or width is zero (including 0 / 0)
  kInputOutOfRange,  // an input read as beyond the range of double
  kOverflow,     // a quotient is beyond the range of double
};

struct LengthResult {
  LengthStatus status;
  double metres;  // meaningful only when status is kOk
};

// ((weight / thickness) / width) / kSteelDensity, each division rounded to
// double, stopping at the first division that fails. Underflow is not a
// failure: it gives 0.
LengthResult ComputeLength(double weight, double thickness, double width);

// Reads the three box texts in the order weight, thickness, width and
// computes.
LengthResult ComputeLengthFromTexts(std::wstring_view weight, std::wstring_view thickness,
                                    std::wstring_view width);

}  // namespace tarnwick

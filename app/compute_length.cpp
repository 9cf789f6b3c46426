#include "compute_length.h"

#include <cmath>

#include "number_reader.h"

namespace tarnwick {
namespace {

// Tests the operands instead of the floating-point status flags: the
// compiler may move a division across a flag test, but not across a
// comparison of its own result.
LengthStatus Divide(double dividend, double divisor, double* quotient) {
  if (divisor == 0) return LengthStatus::kZeroDivisor;
  double q = dividend / divisor;
  if (std::isinf(q)) return LengthStatus::kOverflow;
  *quotient = q;
  return LengthStatus::kOk;
}

}  // namespace

LengthResult ComputeLength(double weight, double thickness, double width) {
  if (!std::isfinite(weight) || !std::isfinite(thickness) || !std::isfinite(width)) {
    return {LengthStatus::kInputOutOfRange, 0};
  }
  double length = weight;
  for (double divisor : {thickness, width, kSteelDensity}) {
    LengthStatus status = Divide(length, divisor, &length);
    if (status != LengthStatus::kOk) return {status, 0};
  }
  return {LengthStatus::kOk, length};
}

LengthResult ComputeLengthFromTexts(std::wstring_view weight, std::wstring_view thickness,
                                    std::wstring_view width) {
  double w = ReadNumber(weight);
  double t = ReadNumber(thickness);
  double b = ReadNumber(width);
  return ComputeLength(w, t, b);
}

}  // namespace tarnwick

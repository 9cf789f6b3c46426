// The result box's number format.
#pragma once

#include <string>

namespace tarnwick {

// Formats a finite value as "0.00": at least one digit before the point,
// exactly two after it, no grouping, "-" before negative values. Rounds the
// exact binary value half away from zero, so 2.675 (stored just below
// 2.675) gives "2.67" and 0.125 (exact) gives "0.13". A negative value that
// rounds to zero is shown as "0.00", never "-0.00".
std::wstring FormatTwoDecimals(double value);

// The result text: FormatTwoDecimals followed by two blanks and the metre
// sign.
std::wstring FormatLength(double metres);

}  // namespace tarnwick

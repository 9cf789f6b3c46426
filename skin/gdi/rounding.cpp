#include "gdi/rounding.h"

#include <climits>
#include <cmath>

namespace skin {

int HalveToEven(int value) {
  // Floor of value / 2 without overflow or the truncation towards zero of
  // integer division; an odd value lies exactly halfway between floor and
  // floor + 1, and the even one of the two wins.
  const int floor_half = (value >> 1);
  if ((value & 1) == 0) return floor_half;
  return (floor_half & 1) == 0 ? floor_half : floor_half + 1;
}

int RoundHalfToEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  const double floor_value = std::floor(value);
  const double fraction = value - floor_value;
  const int lower = static_cast<int>(floor_value);
  if (fraction < 0.5) return lower;
  if (fraction > 0.5) return lower + 1;
  return (lower % 2 == 0) ? lower : lower + 1;
}

}  // namespace skin

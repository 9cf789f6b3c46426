#include "length_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarnwick {
namespace {

constexpr wchar_t kMetreSuffix[] = L"  \u7C73";

struct Decomposed {
  bool negative;
  uint64_t mantissa;  // |value| = mantissa * 2^exponent
  int exponent;
};

Decomposed Decompose(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  Decomposed d{};
  d.negative = (bits >> 63) != 0;
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (biased == 0) {
    d.mantissa = fraction;
    d.exponent = -1074;
  } else {
    d.mantissa = fraction | (uint64_t{1} << 52);
    d.exponent = biased - 1075;
  }
  return d;
}

// Decimal digits of mantissa * 2^shift, exact, for integers up to the
// largest double (309 digits). Little-endian base 10^9 limbs.
std::wstring BigIntegerDigits(uint64_t mantissa, int shift) {
  constexpr uint32_t kBase = 1000000000;
  std::vector<uint32_t> limbs{static_cast<uint32_t>(mantissa % kBase),
                              static_cast<uint32_t>(mantissa / kBase % kBase),
                              static_cast<uint32_t>(mantissa / kBase / kBase)};
  for (int i = 0; i < shift; ++i) {
    uint32_t carry = 0;
    for (uint32_t& limb : limbs) {
      uint64_t doubled = uint64_t{limb} * 2 + carry;
      limb = static_cast<uint32_t>(doubled % kBase);
      carry = static_cast<uint32_t>(doubled / kBase);
    }
    if (carry) limbs.push_back(carry);
  }
  while (limbs.size() > 1 && limbs.back() == 0) limbs.pop_back();
  std::wstring digits = std::to_wstring(limbs.back());
  for (size_t i = limbs.size() - 1; i-- > 0;) {
    std::wstring part = std::to_wstring(limbs[i]);
    digits.append(9 - part.size(), L'0');
    digits += part;
  }
  return digits;
}

// Hundredths of mantissa * 2^exponent (exponent < 0), rounded half away
// from zero on the exact value. mantissa < 2^53, so mantissa * 100 < 2^60.
uint64_t RoundedHundredths(uint64_t mantissa, int exponent) {
  uint64_t scaled = mantissa * 100;
  int shift = -exponent;
  if (shift >= 62) return 0;  // scaled < 2^60 is below half of 2^shift
  uint64_t whole = scaled >> shift;
  uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
  uint64_t half = uint64_t{1} << (shift - 1);
  return rest >= half ? whole + 1 : whole;
}

}  // namespace

std::wstring FormatTwoDecimals(double value) {
  Decomposed d = Decompose(value);
  std::wstring text;
  if (d.exponent >= 0) {
    // An integer: the hundredths are zero and the digits can be long.
    text = BigIntegerDigits(d.mantissa, d.exponent) + L".00";
  } else {
    uint64_t hundredths = RoundedHundredths(d.mantissa, d.exponent);
    if (hundredths == 0) return L"0.00";
    std::wstring digits = std::to_wstring(hundredths);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), L'0');
    digits.insert(digits.size() - 2, 1, L'.');
    text = digits;
  }
  if (d.negative && text != L"0.00") text.insert(0, 1, L'-');
  return text;
}

std::wstring FormatLength(double metres) { return FormatTwoDecimals(metres) + kMetreSuffix; }

}  // namespace tarnwick

#include "number_reader.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace tarnwick {
namespace {

// A double is decided by its first 768 significant decimal digits plus
// whether anything non-zero follows them, so longer input is folded into
// one sticky digit instead of being kept: the work stays linear and small
// whatever the user pastes.
constexpr size_t kMaxSignificantDigits = 780;

// Written exponents are clamped here, far beyond any text length, so that a
// thousand-digit exponent cannot overflow the arithmetic while every text a
// user can hold in memory still reads exactly.
constexpr long long kExponentClamp = 1000000000000000LL;

// Beyond these powers of ten the value is infinite or zero whatever its
// significant digits.
constexpr long long kOverflowMagnitude = 400;
constexpr long long kUnderflowMagnitude = -400;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

// A Chinese input method in full-width mode types the full-width images of
// ASCII (U+FF01 to U+FF5E) and the ideographic space; they read as the
// characters they stand for.
wchar_t HalfWidth(wchar_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<wchar_t>(c - 0xFF01 + 0x21);
  if (c == 0x3000) return L' ';
  return c;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

long long ClampedAdd(long long a, long long b) {
  long long sum = a + b;  // both operands stay within +-2 * kExponentClamp
  if (sum > kExponentClamp) return kExponentClamp;
  if (sum < -kExponentClamp) return -kExponentClamp;
  return sum;
}

// Walks the text skipping blanks, one character of look-ahead at a time,
// full-width forms seen as their ASCII counterparts.
class Cursor {
 public:
  explicit Cursor(std::wstring_view text) : text_(text) {}
  wchar_t Peek() {
    while (pos_ < text_.size() && IsBlank(HalfWidth(text_[pos_]))) ++pos_;
    return pos_ < text_.size() ? HalfWidth(text_[pos_]) : L'\0';
  }
  void Advance() { ++pos_; }

 private:
  std::wstring_view text_;
  size_t pos_ = 0;
};

int DigitValue(wchar_t c, int radix) {
  int value = -1;
  if (IsDigit(c)) value = c - L'0';
  else if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  return value < radix ? value : -1;
}

// Radix integers are accumulated in double: exact up to 2^53, correctly
// rounded growth beyond that, infinity only for absurdly long input.
double ReadRadixInteger(Cursor& cursor, int radix) {
  double value = 0;
  for (int digit; (digit = DigitValue(cursor.Peek(), radix)) >= 0; cursor.Advance()) {
    value = value * radix + digit;
  }
  return value;
}

double ReadDecimal(Cursor& cursor) {
  bool negative = false;
  if (cursor.Peek() == L'-' || cursor.Peek() == L'+') {
    negative = cursor.Peek() == L'-';
    cursor.Advance();
  }

  std::string digits;  // significant digits, no leading zeros
  bool sticky = false;  // a non-zero digit was dropped past the limit
  long long scale = 0;       // value = digits * 10^scale
  bool seen_point = false;
  for (wchar_t c = cursor.Peek();; c = cursor.Peek()) {
    if (c == L'.' && !seen_point) {
      seen_point = true;
    } else if (IsDigit(c)) {
      if (digits.empty() && c == L'0') {
        if (seen_point) scale = ClampedAdd(scale, -1);
      } else if (digits.size() < kMaxSignificantDigits) {
        digits.push_back(static_cast<char>(c));
        if (seen_point) scale = ClampedAdd(scale, -1);
      } else {
        if (c != L'0') sticky = true;
        if (!seen_point) scale = ClampedAdd(scale, 1);
      }
    } else {
      break;
    }
    cursor.Advance();
  }

  long long exponent = 0;
  wchar_t marker = cursor.Peek();
  if (marker == L'E' || marker == L'e' || marker == L'D' || marker == L'd') {
    cursor.Advance();
    bool exponent_negative = false;
    if (cursor.Peek() == L'-' || cursor.Peek() == L'+') {
      exponent_negative = cursor.Peek() == L'-';
      cursor.Advance();
    }
    for (wchar_t c = cursor.Peek(); IsDigit(c); c = cursor.Peek()) {
      if (exponent < kExponentClamp) exponent = exponent * 10 + (c - L'0');
      cursor.Advance();
    }
    if (exponent > kExponentClamp) exponent = kExponentClamp;
    if (exponent_negative) exponent = -exponent;
  }

  if (digits.empty()) return negative ? -0.0 : 0.0;
  if (sticky) {
    digits.push_back('1');
    scale = ClampedAdd(scale, -1);
  }
  long long total_exponent = ClampedAdd(scale, exponent);
  // The number of digits before the point: value < 10^magnitude.
  long long magnitude = total_exponent + static_cast<long long>(digits.size());

  double value = 0;
  if (magnitude > kOverflowMagnitude) {
    value = std::numeric_limits<double>::infinity();
  } else if (magnitude >= kUnderflowMagnitude) {
    // from_chars is locale-independent and correctly rounded.
    std::string literal = digits + 'e' + std::to_string(total_exponent);
    auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
      value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  return negative ? -value : value;
}

}  // namespace

double ReadNumber(std::wstring_view text) {
  Cursor cursor(text);
  if (cursor.Peek() == L'&') {
    cursor.Advance();
    wchar_t kind = cursor.Peek();
    if (kind == L'H' || kind == L'h') {
      cursor.Advance();
      return ReadRadixInteger(cursor, 16);
    }
    if (kind == L'O' || kind == L'o') {
      cursor.Advance();
      return ReadRadixInteger(cursor, 8);
    }
    return 0;
  }
  return ReadDecimal(cursor);
}

}  // namespace tarnwick

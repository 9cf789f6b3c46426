// Feeds arbitrary bytes to the number reader, the "0.00" formatter and the
// whole length computation, checking what must hold for every input:
// nothing crashes or trips a sanitizer, the reader agrees with the C
// library's correctly rounded strtod on the same number (full-width forms
// read as their ASCII counterparts), the formatter agrees with printf
// except on exact halves (which go away from zero), formatted values read
// back to themselves, and the computation's status matches its inputs.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "compute_length.h"
#include "length_format.h"
#include "number_reader.h"

namespace {

using tarnwick::ComputeLength;
using tarnwick::ComputeLengthFromTexts;
using tarnwick::FormatTwoDecimals;
using tarnwick::LengthStatus;
using tarnwick::ReadNumber;

[[noreturn]] void Fail(const char* what, const std::wstring& text, double value) {
  std::fprintf(stderr, "invariant broken: %s\n  value %.17g (%a)\n  text \"", what, value, value);
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F) std::fputc(static_cast<int>(c), stderr);
    else std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

bool SameDouble(double a, double b) {
  if (a == 0 && b == 0) return std::signbit(a) == std::signbit(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Bytes become UTF-32 text: ASCII as itself; 0x80 to 0xDD as the full-width
// forms U+FF01 to U+FF5E and 0xDE as the ideographic space, which a Chinese
// input method in full-width mode produces; the rest as CJK ideographs.
std::wstring Widen(const uint8_t* data, size_t size) {
  std::wstring text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = data[i];
    if (b < 0x80) text.push_back(static_cast<wchar_t>(b));
    else if (b <= 0xDD) text.push_back(static_cast<wchar_t>(0xFF01 + (b - 0x80)));
    else if (b == 0xDE) text.push_back(static_cast<wchar_t>(0x3000));
    else text.push_back(static_cast<wchar_t>(0x4E00 + b));
  }
  return text;
}

// The text with every full-width form replaced by the ASCII it stands for.
std::wstring Narrowed(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c >= 0xFF01 && c <= 0xFF5E) out.push_back(static_cast<wchar_t>(c - 0xFEE0));
    else if (c == 0x3000) out.push_back(L' ');
    else out.push_back(c);
  }
  return out;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring WithoutBlanks(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (!IsBlank(c)) out.push_back(c);
  }
  return out;
}

// An independent reading of the same grammar: blanks removed, the longest
// decimal prefix handed to strtod (D exponents spelled E). Radix numbers
// are checked only where they are exact.
bool ReferenceRead(const std::wstring& text, double* value) {
  const std::wstring s = WithoutBlanks(Narrowed(text));
  size_t i = 0;
  if (s.size() >= 2 && s[0] == L'&') {
    const wchar_t kind = s[1];
    const bool hex = kind == L'H' || kind == L'h';
    const bool oct = kind == L'O' || kind == L'o';
    if (!hex && !oct) {
      *value = 0;
      return true;
    }
    std::string digits;
    for (i = 2; i < s.size(); ++i) {
      const wchar_t c = s[i];
      const bool ok = hex ? (IsDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'))
                          : (c >= L'0' && c <= L'7');
      if (!ok) break;
      digits.push_back(static_cast<char>(c));
    }
    while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
    if (digits.size() > (hex ? 13u : 17u)) return false;  // beyond 2^52: rounded per step
    *value = digits.empty() ? 0 : static_cast<double>(std::strtoull(digits.c_str(), nullptr, hex ? 16 : 8));
    return true;
  }
  if (!s.empty() && s[0] == L'&') {
    *value = 0;
    return true;
  }
  std::string literal;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) literal.push_back(static_cast<char>(s[i++]));
  bool point = false;
  bool any_digit = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      any_digit = true;
    } else if (s[i] == L'.' && !point) {
      point = true;
    } else {
      break;
    }
    literal.push_back(static_cast<char>(s[i]));
  }
  if (!any_digit) {
    *value = (!literal.empty() && literal[0] == '-') ? -0.0 : 0.0;
    return true;
  }
  if (i < s.size() && (s[i] == L'E' || s[i] == L'e' || s[i] == L'D' || s[i] == L'd')) {
    std::string exponent = "e";
    size_t j = i + 1;
    if (j < s.size() && (s[j] == L'+' || s[j] == L'-')) exponent.push_back(static_cast<char>(s[j++]));
    size_t digits = 0;
    for (; j < s.size() && IsDigit(s[j]); ++j, ++digits) exponent.push_back(static_cast<char>(s[j]));
    if (digits) literal += exponent;
  }
  *value = std::strtod(literal.c_str(), nullptr);
  return true;
}

void CheckReader(const std::wstring& text) {
  const double value = ReadNumber(text);
  if (std::isnan(value)) Fail("reader returned NaN", text, value);
  if (!SameDouble(ReadNumber(Narrowed(text)), value)) Fail("full-width forms read unlike ASCII", text, value);
  if (!SameDouble(ReadNumber(WithoutBlanks(text)), value)) Fail("blanks changed the value", text, value);
  if (!SameDouble(ReadNumber(text + L"x\u4E2D"), value)) Fail("trailing text changed the value", text, value);
  double expected = 0;
  if (ReferenceRead(text, &expected)) {
    const bool both_zero = value == 0 && expected == 0;  // "-" alone may give either zero
    if (!both_zero && !SameDouble(value, expected)) Fail("reader disagrees with strtod", text, expected);
  }
}

bool MatchesPattern(const std::wstring& s) {
  size_t i = s.size() > 0 && s[0] == L'-' ? 1 : 0;
  const size_t first = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (i == first) return false;
  if (i - first > 1 && s[first] == L'0') return false;  // no leading zeros
  return s.size() == i + 3 && s[i] == L'.' && IsDigit(s[i + 1]) && IsDigit(s[i + 2]);
}

void CheckFormat(double x) {
  const std::wstring s = FormatTwoDecimals(x);
  if (!MatchesPattern(s)) Fail("format does not match -?[0-9]+.[0-9]{2}", s, x);
  if (s == L"-0.00") Fail("negative zero shown", s, x);
  if ((s[0] == L'-') != (x < 0 && s != L"0.00")) Fail("sign is wrong", s, x);

  // printf rounds the exact binary value too, but halves to even; ours go
  // away from zero. x * 200 is exact in the 64-bit long double mantissa.
  const long double twice_hundredths = std::fabs(static_cast<long double>(x) * 200.0L);
  const bool exact_half = std::fmod(twice_hundredths, 2.0L) == 1.0L;
  if (!exact_half) {
    std::vector<char> buffer(400);
    std::snprintf(buffer.data(), buffer.size(), "%.2f", x);
    std::string printed(buffer.data());
    if (printed == "-0.00") printed = "0.00";
    if (std::wstring(printed.begin(), printed.end()) != s) Fail("format disagrees with printf", s, x);
  }

  const double back = ReadNumber(s);
  const double ulp = std::nextafter(std::fabs(x), std::numeric_limits<double>::infinity()) - std::fabs(x);
  if (!(std::fabs(back - x) <= 0.005 + ulp)) Fail("formatted value does not read back", s, back);
  if (FormatTwoDecimals(back) != s) Fail("format of the read-back value differs", s, back);
}

void CheckComputation(const std::wstring& weight, const std::wstring& thickness, const std::wstring& width) {
  const double w = ReadNumber(weight), t = ReadNumber(thickness), b = ReadNumber(width);
  const tarnwick::LengthResult r = ComputeLengthFromTexts(weight, thickness, width);
  const tarnwick::LengthResult direct = ComputeLength(w, t, b);
  if (r.status != direct.status || (r.status == LengthStatus::kOk && !SameDouble(r.metres, direct.metres))) {
    Fail("texts and numbers compute differently", weight, r.metres);
  }
  if (!std::isfinite(w) || !std::isfinite(t) || !std::isfinite(b)) {
    if (r.status != LengthStatus::kInputOutOfRange) Fail("infinite input not refused", weight, w);
    return;
  }
  if (t == 0 || (b == 0 && std::isfinite(w / t))) {
    if (r.status != LengthStatus::kZeroDivisor) Fail("zero divisor not refused", thickness, t);
    return;
  }
  const double expected = ((w / t) / b) / tarnwick::kSteelDensity;
  if (std::isinf(w / t) || std::isinf(w / t / b) || std::isinf(expected)) {
    if (r.status != LengthStatus::kOverflow) Fail("overflow not refused", weight, w);
    return;
  }
  if (r.status != LengthStatus::kOk) Fail("valid input refused", weight, w);
  if (!SameDouble(r.metres, expected)) Fail("length is not weight / thickness / width / 7.85", weight, r.metres);
  CheckFormat(r.metres);
  const std::wstring shown = tarnwick::FormatLength(r.metres);
  if (shown.size() < 3 || shown.compare(shown.size() - 3, 3, L"  \u7C73") != 0) {
    Fail("result text lacks its metre suffix", shown, r.metres);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x)) CheckFormat(x);
  }

  // Up to three texts separated by NUL bytes: weight, thickness, width.
  std::vector<std::wstring> texts;
  size_t start = 0;
  for (size_t i = 0; i <= size && texts.size() < 3; ++i) {
    if (i == size || data[i] == 0) {
      texts.push_back(Widen(data + start, i - start));
      start = i + 1;
    }
  }
  while (texts.size() < 3) texts.push_back(texts.size() == 1 ? L"0.22" : L"1.81");
  for (const std::wstring& text : texts) CheckReader(text);
  CheckComputation(texts[0], texts[1], texts[2]);
  return 0;
}

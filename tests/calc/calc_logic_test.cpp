#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "compute_length.h"
#include "length_format.h"
#include "number_reader.h"

namespace tarnwick {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ReadNumber, LeadingNumberAndBlanks) {
  EXPECT_EQ(ReadNumber(L"0.22"), 0.22);
  EXPECT_EQ(ReadNumber(L" 12.5t"), 12.5);
  EXPECT_EQ(ReadNumber(L"abc"), 0);
  EXPECT_EQ(ReadNumber(L""), 0);
  EXPECT_EQ(ReadNumber(L"1,5"), 1);
  EXPECT_EQ(ReadNumber(L"1.5.3"), 1.5);
  EXPECT_EQ(ReadNumber(L"1 2 3"), 123);
  EXPECT_EQ(ReadNumber(L"\t1\n2 . 5"), 12.5);
  EXPECT_EQ(ReadNumber(L"- 7"), -7);
  EXPECT_EQ(ReadNumber(L"\r5"), 0) << "a carriage return is not a blank";
  EXPECT_EQ(ReadNumber(L".5"), 0.5);
  EXPECT_EQ(ReadNumber(L"5."), 5);
  EXPECT_EQ(ReadNumber(L"."), 0);
  EXPECT_EQ(ReadNumber(L"0012"), 12);
  EXPECT_EQ(ReadNumber(L"12中"), 12);
}

// The full-width image of an ASCII text, as an input method in full-width
// mode types it: U+FF01 to U+FF5E for '!' to '~', U+3000 for the blank.
std::wstring FullWidth(std::wstring_view ascii) {
  std::wstring out;
  for (wchar_t c : ascii) out.push_back(c == L' ' ? L'\x3000' : static_cast<wchar_t>(c - 0x21 + 0xFF01));
  return out;
}

TEST(ReadNumber, FullWidthFormsReadAsTheirAsciiCounterparts) {
  // Every rule of the reader holds for full-width input, mixed or not.
  for (const wchar_t* ascii : {L"12.5", L"-10", L"+10", L" 12.5t", L"1,5", L"1.5.3", L"1 2 3", L"1E3",
                               L"2.5d-1", L"&H1F", L"&hff", L"&O17", L"&X12", L"abc", L"--10", L".5",
                               L"1.7976931348623157E308", L"1E400", L"-0"}) {
    SCOPED_TRACE(testing::Message() << "ASCII image " << testing::PrintToString(std::wstring(ascii)));
    double expected = ReadNumber(ascii);
    EXPECT_TRUE(std::signbit(ReadNumber(FullWidth(ascii))) == std::signbit(expected));
    EXPECT_EQ(ReadNumber(FullWidth(ascii)), expected);
  }
  struct Case {
    const wchar_t* text;
    double value;
  };
  const Case cases[] = {
      {L"１２．５", 12.5},
      {L"－１０", -10},
      {L"１2.５", 12.5},                 // mixed widths
      {L"\x3000１\x3000２", 12},         // the ideographic space is a blank
      {L"１０吨", 10},
      {L"１０、５", 10},                 // the ideographic comma ends the number
      {L"１．５\xFF0E３", 1.5},           // a second full-width point ends it too
      {L"\xFF06\xFF28\xFF11\xFF26", 31},  // &H1F
      {L"１\xFF25３", 1000},              // full-width E
      {L"\xFF00" L"12", 0},               // just below the full-width block
      {L"\xFF5F" L"12", 0},               // just above it
      {L"\x3001" L"12", 0},
      {L"〇", 0},                        // an ideographic zero is not a digit
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadNumber(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ReadNumber, Signs) {
  EXPECT_EQ(ReadNumber(L"-10"), -10);
  EXPECT_EQ(ReadNumber(L"+10"), 10);
  EXPECT_EQ(ReadNumber(L"--10"), 0);
  EXPECT_EQ(ReadNumber(L"+-10"), 0);
  EXPECT_EQ(ReadNumber(L"-"), 0);
  EXPECT_EQ(ReadNumber(L"10-"), 10);
  EXPECT_TRUE(std::signbit(ReadNumber(L"-0")));
}

TEST(ReadNumber, Exponents) {
  EXPECT_EQ(ReadNumber(L"1E3"), 1000);
  EXPECT_EQ(ReadNumber(L"1e3"), 1000);
  EXPECT_EQ(ReadNumber(L"1D3"), 1000);
  EXPECT_EQ(ReadNumber(L"2.5d-1"), 0.25);
  EXPECT_EQ(ReadNumber(L"1E+2"), 100);
  EXPECT_EQ(ReadNumber(L"1 E - 2"), 0.01);
  EXPECT_EQ(ReadNumber(L"1E"), 1);
  EXPECT_EQ(ReadNumber(L"1E-"), 1);
  EXPECT_EQ(ReadNumber(L"1E2E3"), 100);
  EXPECT_EQ(ReadNumber(L"E5"), 0);
  EXPECT_EQ(ReadNumber(L"1E2.5"), 100);
}

TEST(ReadNumber, RadixPrefixes) {
  EXPECT_EQ(ReadNumber(L"&H1F"), 31);
  EXPECT_EQ(ReadNumber(L"&hff"), 255);
  EXPECT_EQ(ReadNumber(L" & H 10"), 16);
  EXPECT_EQ(ReadNumber(L"&O17"), 15);
  EXPECT_EQ(ReadNumber(L"&o778"), 63) << "8 is not an octal digit";
  EXPECT_EQ(ReadNumber(L"&H"), 0);
  EXPECT_EQ(ReadNumber(L"&X12"), 0);
  EXPECT_EQ(ReadNumber(L"&HG"), 0);
  EXPECT_EQ(ReadNumber(L"-&H10"), 0) << "the prefix only counts at the start";
  EXPECT_EQ(ReadNumber(L"&H1.5"), 1);
  EXPECT_EQ(ReadNumber(L"&HFFFFFFFF"), 4294967295.0);
}

TEST(ReadNumber, CorrectlyRoundedNearTheLimits) {
  EXPECT_EQ(ReadNumber(L"1.7976931348623157E308"), std::numeric_limits<double>::max());
  EXPECT_EQ(ReadNumber(L"-1.7976931348623157D308"), -std::numeric_limits<double>::max());
  EXPECT_EQ(ReadNumber(L"1.8E308"), kInf);
  EXPECT_EQ(ReadNumber(L"-1E400"), -kInf);
  EXPECT_EQ(ReadNumber(L"2.2250738585072014E-308"), std::numeric_limits<double>::min());
  EXPECT_EQ(ReadNumber(L"4.9406564584124654E-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ReadNumber(L"1E-400"), 0);
  EXPECT_EQ(ReadNumber(L"0.1"), 0.1);
  EXPECT_EQ(ReadNumber(L"9007199254740993"), 9007199254740992.0) << "ties to even";
  EXPECT_EQ(ReadNumber(L"9007199254740993.0000000000000000001"), 9007199254740994.0);
  EXPECT_EQ(ReadNumber(L"0.000000000000000000000000000001E30"), 1);
}

TEST(ReadNumber, HugeInputsStayLinearAndCorrect) {
  auto start = std::chrono::steady_clock::now();
  std::wstring ones(1000000, L'1');
  EXPECT_EQ(ReadNumber(ones), kInf);
  std::wstring fraction = L"0." + std::wstring(1000000, L'0') + L"5E1000000";
  EXPECT_EQ(ReadNumber(fraction), 0.5);
  // 1 followed by a million zeros and a final 1, scaled back down: the
  // dropped digits still decide the rounding.
  std::wstring long_mantissa = L"1" + std::wstring(999998, L'0') + L"1E-999999";
  EXPECT_EQ(ReadNumber(long_mantissa), 1);
  std::wstring blanks(1000000, L' ');
  EXPECT_EQ(ReadNumber(blanks + L"3"), 3);
  std::wstring huge_exponent = L"1E" + std::wstring(1000, L'9');
  EXPECT_EQ(ReadNumber(huge_exponent), kInf);
  EXPECT_EQ(ReadNumber(L"1E-" + std::wstring(1000, L'9')), 0);
  EXPECT_EQ(ReadNumber(L"0E" + std::wstring(1000, L'9')), 0);
  EXPECT_EQ(ReadNumber(L"&H" + std::wstring(1000000, L'F')), kInf);
  EXPECT_EQ(ReadNumber(L"1E1000000000000000000000000"), kInf);
  EXPECT_EQ(ReadNumber(L"-0.001E-1000000000000000000000000"), 0);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 2.0);
}

TEST(FormatTwoDecimals, Pattern) {
  EXPECT_EQ(FormatTwoDecimals(0), L"0.00");
  EXPECT_EQ(FormatTwoDecimals(3.19910), L"3.20");
  EXPECT_EQ(FormatTwoDecimals(0.5), L"0.50");
  EXPECT_EQ(FormatTwoDecimals(12345678.9), L"12345678.90") << "no grouping";
  EXPECT_EQ(FormatTwoDecimals(-3.2), L"-3.20");
  EXPECT_EQ(FormatTwoDecimals(0.004), L"0.00");
  EXPECT_EQ(FormatTwoDecimals(0.996), L"1.00");
  EXPECT_EQ(FormatTwoDecimals(99.999), L"100.00");
  EXPECT_EQ(FormatTwoDecimals(9007199254740993.0), L"9007199254740992.00");
}

TEST(FormatTwoDecimals, HalfwayRoundsAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(FormatTwoDecimals(0.125), L"0.13");    // exactly halfway
  EXPECT_EQ(FormatTwoDecimals(-0.125), L"-0.13");
  EXPECT_EQ(FormatTwoDecimals(0.375), L"0.38");
  EXPECT_EQ(FormatTwoDecimals(2.5 / 100), L"0.03");  // 0.025 is stored just above
  EXPECT_EQ(FormatTwoDecimals(2.675), L"2.67");     // stored just below 2.675
  EXPECT_EQ(FormatTwoDecimals(1.005), L"1.00");     // stored just below 1.005
  EXPECT_EQ(FormatTwoDecimals(1.015), L"1.01");     // stored just below 1.015
  EXPECT_EQ(FormatTwoDecimals(1.025), L"1.02");
  EXPECT_EQ(FormatTwoDecimals(0.005), L"0.01");     // stored just above 0.005
}

TEST(FormatTwoDecimals, NegativeZeroAndTinyValuesShowZero) {
  EXPECT_EQ(FormatTwoDecimals(-0.0), L"0.00");
  EXPECT_EQ(FormatTwoDecimals(-0.004), L"0.00");
  EXPECT_EQ(FormatTwoDecimals(-std::numeric_limits<double>::denorm_min()), L"0.00");
  EXPECT_EQ(FormatTwoDecimals(std::numeric_limits<double>::denorm_min()), L"0.00");
}

TEST(FormatTwoDecimals, LargestDoubleInFull) {
  std::wstring text = FormatTwoDecimals(std::numeric_limits<double>::max());
  EXPECT_EQ(text.size(), 309u + 3u);
  EXPECT_EQ(text.substr(0, 20), L"17976931348623157081");
  EXPECT_EQ(text.substr(text.size() - 8), L"58368.00");
  EXPECT_EQ(FormatTwoDecimals(1e22), L"10000000000000000000000.00");
  EXPECT_EQ(FormatTwoDecimals(-1e23), L"-99999999999999991611392.00");
}

TEST(FormatLength, SuffixIsTwoBlanksAndMetre) {
  EXPECT_EQ(FormatLength(3.2), std::wstring(L"3.20") + L'\x20' + L'\x20' + L'\x7C73');
}

TEST(ComputeLength, Results) {
  LengthResult r = ComputeLengthFromTexts(L"10", L"0.22", L"1.81");
  ASSERT_EQ(r.status, LengthStatus::kOk);
  EXPECT_EQ(r.metres, ((10 / 0.22) / 1.81) / 7.85);
  EXPECT_EQ(FormatLength(r.metres), L"3.20  米");
  EXPECT_EQ(FormatLength(ComputeLengthFromTexts(L"-10", L"0.22", L"1.81").metres), L"-3.20  米");
  EXPECT_EQ(FormatLength(ComputeLengthFromTexts(L"", L"0.22", L"1.81").metres), L"0.00  米");
  EXPECT_EQ(FormatLength(ComputeLengthFromTexts(L"0", L"0.22", L"1.81").metres), L"0.00  米");
  EXPECT_EQ(FormatLength(ComputeLengthFromTexts(L"-1E-300", L"0.22", L"1.81").metres), L"0.00  米");
  EXPECT_EQ(FormatLength(ComputeLengthFromTexts(L"１０", L"０．２２", L"１．８１").metres), L"3.20  米");
  LengthResult underflow = ComputeLengthFromTexts(L"1E-320", L"1E100", L"1");
  EXPECT_EQ(underflow.status, LengthStatus::kOk);
  EXPECT_EQ(underflow.metres, 0);
}

TEST(ComputeLength, FailuresStopWithTheirCause) {
  EXPECT_EQ(ComputeLengthFromTexts(L"10", L"", L"1.81").status, LengthStatus::kZeroDivisor);
  EXPECT_EQ(ComputeLengthFromTexts(L"10", L"0.22", L"abc").status, LengthStatus::kZeroDivisor);
  EXPECT_EQ(ComputeLengthFromTexts(L"10", L"０", L"1.81").status, LengthStatus::kZeroDivisor);
  EXPECT_EQ(ComputeLengthFromTexts(L"0", L"0", L"1.81").status, LengthStatus::kZeroDivisor);
  EXPECT_EQ(ComputeLengthFromTexts(L"10", L"-0", L"1.81").status, LengthStatus::kZeroDivisor);
  EXPECT_EQ(ComputeLengthFromTexts(L"1E308", L"0.22", L"1.81").status, LengthStatus::kOverflow);
  EXPECT_EQ(ComputeLengthFromTexts(L"-1E308", L"1E-10", L"1").status, LengthStatus::kOverflow);
  EXPECT_EQ(ComputeLengthFromTexts(L"1E400", L"0.22", L"1.81").status,
            LengthStatus::kInputOutOfRange);
  // Each step rounded to double: only the last division overflows here.
  double near_max = std::numeric_limits<double>::max() / 2;
  EXPECT_EQ(ComputeLength(near_max, 0.5, 1).status, LengthStatus::kOk);
  EXPECT_EQ(ComputeLength(near_max, 0.5, 0.5).status, LengthStatus::kOverflow);
  EXPECT_EQ(ComputeLength(1e308, 1, 1).status, LengthStatus::kOk);
  EXPECT_EQ(ComputeLength(1e308, 1, 0.1).status, LengthStatus::kOverflow);
}

}  // namespace
}  // namespace tarnwick

// Reads the leading number of a text box's contents, leniently.
#pragma once

#include <string_view>

namespace tarnwick {

// Full-width forms (U+FF01 to U+FF5E, U+3000) read as the ASCII characters
// they stand for. Blanks (space, tab, line feed) are skipped anywhere; an
// optional sign, digits with at most one period, and an exponent introduced
// by E or D are read from the start; "&H" and "&O" introduce hexadecimal and
// octal integers. Reading stops at the first character that cannot continue
// the number. No number gives 0. A value beyond the range of double gives an
// infinity of the right sign. The period is the decimal point whatever the
// locale.
double ReadNumber(std::wstring_view text);

}  // namespace tarnwick

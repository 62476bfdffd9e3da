// Number texts of JSON values: writing doubles and currency counts, and reading decimal numbers
// from text without regard to the locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace NumberText {

// Room for any text written below.
constexpr int MaxLength = 32;

// The shortest text that reads back as the same double, in a form the parser reads as a number
// of that value. Infinities write as an overflowing exponent, a NaN as null.
int writeDouble(double value, char* out);
// Digits of the count with a point before the last four, trailing zeros of the fraction dropped;
// 0 for zero.
int writeCurrency(std::int64_t count, char* out);

// Rounds to the nearest integer, ties to even; out-of-range values saturate and NaN gives 0.
std::int64_t roundToInteger(double value);
// count / 10000 rounded to the nearest integer, ties to even.
std::int64_t currencyToInteger(std::int64_t count);
// value * 10000, saturating.
std::int64_t integerToCurrency(std::int64_t value);

// Reads an optional "-" and the digits after it, stopping at the first other character.
// Returns false when the value does not fit in 64 bits.
bool readIntegerPrefix(std::string_view text, std::int64_t& value);
// Reads the longest decimal number at the start of text; 0 when there is none. Values beyond
// the double range become infinities or zeros.
double readDoublePrefix(std::string_view text);

// The double nearest to digits × 10^exponent when it can be found in a few operations; false
// when it cannot, and the text must be read in full.
bool exactDouble(std::uint64_t digits, int exponent, double& value);

// Whole-text conversions for string values: false when the whole text is not such a number.
bool textToInteger(std::u16string_view text, std::int64_t& value);
bool textToDouble(std::u16string_view text, double& value);

} // namespace NumberText

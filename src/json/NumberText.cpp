// Number texts of JSON values.
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

namespace NumberText {

int writeDouble(double value, char* out)
{
    if (std::isnan(value)) {
        std::memcpy(out, "null", 4);
        return 4;
    }
    if (std::isinf(value)) {
        const char* text = value < 0 ? "-1e999" : "1e999";
        std::memcpy(out, text, std::strlen(text));
        return int(std::strlen(text));
    }
    auto result = std::to_chars(out, out + MaxLength, value);
    const std::string_view text(out, std::size_t(result.ptr - out));
    const auto point = text.find('.');
    // Up to four decimals read back as a currency count; past 2^53 ten-thousandths that count no
    // longer converts back to this very double, so such values take the exponent form.
    if (point != std::string_view::npos && text.find('e') == std::string_view::npos
        && text.size() - point - 1 <= 4 && std::fabs(value) >= 9.0e11) {
        result = std::to_chars(out, out + MaxLength, value, std::chars_format::scientific);
    }
    return int(result.ptr - out);
}

int writeCurrency(std::int64_t count, char* out)
{
    if (count == 0) {
        out[0] = '0';
        return 1;
    }
    const std::uint64_t magnitude = count < 0 ? 0 - std::uint64_t(count) : std::uint64_t(count);
    char digits[24];
    const int length = int(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    const std::string padded
        = std::string(std::max(0, 5 - length), '0') + std::string(digits, length);
    std::size_t fractionEnd = padded.size();
    while (fractionEnd > padded.size() - 4 && padded[fractionEnd - 1] == '0') {
        --fractionEnd;
    }
    char* p = out;
    if (count < 0) {
        *p++ = '-';
    }
    const std::size_t integerLength = padded.size() - 4;
    std::memcpy(p, padded.data(), integerLength);
    p += integerLength;
    *p++ = '.';
    std::memcpy(p, padded.data() + integerLength, fractionEnd - integerLength);
    p += fractionEnd - integerLength;
    return int(p - out);
}

std::int64_t roundToInteger(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded >= 9223372036854775808.0) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (rounded < -9223372036854775808.0) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return std::int64_t(rounded);
}

std::int64_t currencyToInteger(std::int64_t count)
{
    std::int64_t quotient = count / 10000;
    const std::int64_t remainder = count % 10000;
    const bool odd = (quotient & 1) != 0;
    if (remainder > 5000 || (remainder == 5000 && odd)) {
        ++quotient;
    } else if (remainder < -5000 || (remainder == -5000 && odd)) {
        --quotient;
    }
    return quotient;
}

std::int64_t integerToCurrency(std::int64_t value)
{
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    if (value > max / 10000) {
        return max;
    }
    if (value < min / 10000) {
        return min;
    }
    return value * 10000;
}

bool readIntegerPrefix(std::string_view text, std::int64_t& value)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        ++i;
    }
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const unsigned digit = unsigned(text[i] - '0');
        if (magnitude > (limit - digit) / 10) {
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    return true;
}

bool exactDouble(std::uint64_t digits, int exponent, double& value)
{
    // Where long double has a 64-bit significand (x86), digits are exact in it and a power of
    // ten is within half a unit of its last place, so the product is within two units of the
    // last place of the true value. Rounding it to double gives the double nearest to the true
    // value unless a halfway point between two doubles lies within those two units: then the
    // text is read in full.
    if constexpr (std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10) {
        static constexpr long double powers[] = {1e-27L, 1e-26L, 1e-25L, 1e-24L, 1e-23L, 1e-22L,
            1e-21L, 1e-20L, 1e-19L, 1e-18L, 1e-17L, 1e-16L, 1e-15L, 1e-14L, 1e-13L, 1e-12L, 1e-11L,
            1e-10L, 1e-9L, 1e-8L, 1e-7L, 1e-6L, 1e-5L, 1e-4L, 1e-3L, 1e-2L, 1e-1L, 1e0L, 1e1L, 1e2L,
            1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
            1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
        constexpr int maxExponent = int(std::size(powers)) / 2;
        if (exponent < -maxExponent || exponent > maxExponent) {
            return false;
        }
        const long double wide = static_cast<long double>(digits) * powers[exponent + maxExponent];
        // The 80-bit format keeps its significand, leading bit included, in the first 8 bytes;
        // a double keeps the top 53 bits of it, and the halfway points have 0x400 below them.
        std::uint64_t significand = 0;
        std::memcpy(&significand, &wide, sizeof significand);
        if ((significand & 0x7FF) - 0x3FE <= 4) {
            return false;
        }
        value = double(wide);
        return true;
    } else {
        // Every power of ten up to 10^22 is exact in a double, as is every integer up to 2^53.
        static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10,
            1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        constexpr int maxExponent = int(std::size(powers)) - 1;
        if (digits > (std::uint64_t(1) << 53) || exponent < -maxExponent
            || exponent > maxExponent) {
            return false;
        }
        value
            = exponent < 0 ? double(digits) / powers[-exponent] : double(digits) * powers[exponent];
        return true;
    }
}

namespace {

// from_chars reports a value beyond the double range without saying which way it went: count
// the digits before the point and the exponent to tell an overflow from an underflow.
double outOfRange(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        ++i;
    }
    while (i < text.size() && text[i] == '0') {
        ++i;
    }
    long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++magnitude;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (magnitude == 0 && i < text.size() && text[i] == '0') {
            --magnitude;
            ++i;
        }
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            ++i;
        }
        long exponent = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000000L);
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    const double result = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -result : result;
}

} // namespace

double readDoublePrefix(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::invalid_argument) {
        return 0;
    }
    if (error == std::errc::result_out_of_range) {
        return outOfRange(std::string_view(text.data(), std::size_t(end - text.data())));
    }
    return value;
}

namespace {

// The text as ASCII when every character belongs to a decimal number, else false.
bool numberChars(std::u16string_view text, std::string& out)
{
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e'
                || c == u'E')) {
            return false;
        }
        out[i] = char(c);
    }
    return true;
}

} // namespace

bool textToInteger(std::u16string_view text, std::int64_t& value)
{
    std::string ascii;
    if (!numberChars(text, ascii)) {
        return false;
    }
    std::string_view number = ascii;
    const bool plus = !number.empty() && number[0] == '+';
    if (plus) {
        number.remove_prefix(1);
    }
    const std::string_view digits
        = !plus && !number.empty() && number[0] == '-' ? number.substr(1) : number;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    return readIntegerPrefix(number, value);
}

bool textToDouble(std::u16string_view text, double& value)
{
    std::string ascii;
    if (!numberChars(text, ascii)) {
        return false;
    }
    const std::string_view number
        = std::string_view(ascii).substr(!ascii.empty() && ascii[0] == '+' ? 1 : 0);
    double result = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (error == std::errc::invalid_argument || end != number.data() + number.size()) {
        return false;
    }
    value = error == std::errc::result_out_of_range ? outOfRange(number) : result;
    return true;
}

} // namespace NumberText

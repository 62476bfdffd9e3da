// UTF-8 and UTF-16 conversions and surrogate helpers: the one place that knows the encodings.
#pragma once

#include <string>
#include <string_view>

namespace Unicode {

constexpr char16_t Replacement = 0xFFFD;

constexpr bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

constexpr bool isSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

constexpr char32_t combineSurrogates(char16_t high, char16_t low)
{
    return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
}

// Two forms of UTF-8. Standard is what other programs read and write: a lone surrogate becomes
// U+FFFD, and an encoded surrogate read back is malformed. Exact keeps every UTF-16 text unit
// for unit: a lone surrogate is written like any other code point of the basic plane and NUL as
// the two bytes C0 80, so the bytes never hold a zero.
enum class Utf8Form
{
    Standard,
    Exact
};

void appendUtf8(std::string& out, char32_t code);
// A code point past U+10FFFF becomes U+FFFD.
void appendUtf16(std::u16string& out, char32_t code);

// A surrogate pair becomes one four-byte sequence.
std::string toUtf8(std::u16string_view text, Utf8Form form = Utf8Form::Standard);
// Four-byte sequences become surrogate pairs; each byte that starts no well-formed sequence
// (overlong, cut short, past U+10FFFF) becomes U+FFFD.
std::u16string fromUtf8(std::string_view bytes, Utf8Form form = Utf8Form::Standard);

} // namespace Unicode

// Finding the next code unit of interest in UTF-16 text, and reading runs of decimal digits,
// eight code units at a time where the processor has SSE2. Strings, comments and the writer's
// unescaped runs are scanned with it, and numbers read.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CharScan {

// The first position in [p, end) holding a, b, c or d; end when there is none.
inline const char16_t* findAny(
    const char16_t* p, const char16_t* end, char16_t a, char16_t b, char16_t c, char16_t d)
{
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    const __m128i vc = _mm_set1_epi16(short(c));
    const __m128i vd = _mm_set1_epi16(short(d));
    // Byte mask of the hits among the eight code units at q, two bits per code unit.
    const auto hitsAt = [&](const char16_t* q) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const __m128i hits
            = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)),
                _mm_or_si128(_mm_cmpeq_epi16(v, vc), _mm_cmpeq_epi16(v, vd)));
        return unsigned(_mm_movemask_epi8(hits));
    };
    if (end - p >= 8) {
        for (; end - p >= 8; p += 8) {
            if (const unsigned mask = hitsAt(p)) {
                return p + std::countr_zero(mask) / 2;
            }
        }
        // The last few code units: the final eight again, ignoring those already looked at.
        if (p < end) {
            const unsigned seen = unsigned(8 - (end - p)) * 2;
            const unsigned mask = hitsAt(end - 8) >> seen;
            return mask ? p + std::countr_zero(mask) / 2 : end;
        }
        return p;
    }
#endif
    for (; p < end; ++p) {
        const char16_t x = *p;
        if (x == a || x == b || x == c || x == d) {
            break;
        }
    }
    return p;
}

// The blanks between JSON tokens: U+0008, U+0009, U+000A, U+000C, U+000D and U+0020.
constexpr bool isBlank(char16_t c)
{
    constexpr std::uint64_t blanks
        = 1ull << 0x08 | 1ull << 0x09 | 1ull << 0x0A | 1ull << 0x0C | 1ull << 0x0D | 1ull << 0x20;
    return c <= 0x20 && (blanks >> c & 1) != 0;
}

// The first position in [p, end) that holds no blank, p being one; end when there is none.
const char16_t* skipBlankRun(const char16_t* p, const char16_t* end);

// The first position in [p, end) that holds no blank; end when there is none. Compact text has
// no blanks and tidy text often a single space, so the first two code units are looked at
// alone; indented text has longer runs.
inline const char16_t* skipBlanks(const char16_t* p, const char16_t* end)
{
    if (p == end || !isBlank(*p)) {
        return p;
    }
    ++p;
    return p == end || !isBlank(*p) ? p : skipBlankRun(p, end);
}

#if defined(__SSE2__)
namespace Detail {

// The value of eight decimal digits, held one per 16-bit lane, the first in lane 0.
inline std::uint32_t eightDigits(__m128i digits)
{
    const __m128i pairs = _mm_madd_epi16(digits, _mm_setr_epi16(10, 1, 10, 1, 10, 1, 10, 1));
    const __m128i packed = _mm_packs_epi32(pairs, pairs);
    const __m128i quads = _mm_madd_epi16(packed, _mm_setr_epi16(100, 1, 100, 1, 100, 1, 100, 1));
    return std::uint32_t(_mm_cvtsi128_si32(quads)) * 10000
        + std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(quads, 4)));
}

// Each code unit minus "0", and a byte mask of those that are no digit, two bits per code unit.
inline __m128i digitValues(const char16_t* p)
{
    return _mm_sub_epi16(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), _mm_set1_epi16(short(u'0')));
}

inline unsigned nonDigits(__m128i values)
{
    return unsigned(_mm_movemask_epi8(_mm_or_si128(
        _mm_cmpgt_epi16(values, _mm_set1_epi16(9)), _mm_cmplt_epi16(values, _mm_setzero_si128()))));
}

} // namespace Detail
#endif

// Reads the run of decimal digits at p, which lies in [begin, end): value becomes value × 10^n
// plus the run's n digits, modulo 2^64. Returns the end of the run.
inline const char16_t* readDigits(
    const char16_t* p, const char16_t* begin, const char16_t* end, std::uint64_t& value)
{
#if defined(__SSE2__)
    static constexpr std::uint32_t powers[]
        = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    // Lanes 8 - n to 7 of the eight code units at keep + n are set.
    static constexpr std::uint16_t keep[16]
        = {0, 0, 0, 0, 0, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    while (end - p >= 8) {
        const unsigned mask = Detail::nonDigits(Detail::digitValues(p));
        if (mask == 0) {
            value = value * powers[8] + Detail::eightDigits(Detail::digitValues(p));
            p += 8;
            continue;
        }
        const int n = std::countr_zero(mask) / 2;
        if (n == 0 || p - begin < 8 - n) {
            break;
        }
        // The n digits again as the last lanes of the eight code units that end with them.
        const __m128i digits = _mm_and_si128(Detail::digitValues(p + n - 8),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + n)));
        value = value * powers[n] + Detail::eightDigits(digits);
        return p + n;
    }
#else
    (void)begin;
#endif
    for (; p < end && *p >= u'0' && *p <= u'9'; ++p) {
        value = value * 10 + unsigned(*p - u'0');
    }
    return p;
}

} // namespace CharScan

// Finding the next code unit of interest in UTF-16 text, eight at a time where the processor
// has SSE2. Strings, comments and the writer's unescaped runs are scanned with it.
#pragma once

#include <bit>

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

} // namespace CharScan

// Runs of blanks, eight code units at a time where the processor has SSE2.
#include "CharScan.h"

namespace CharScan {

const char16_t* skipBlankRun(const char16_t* p, const char16_t* end)
{
#if defined(__SSE2__)
    const auto blanksAt = [](const char16_t* q) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const auto is = [&v](char16_t c) { return _mm_cmpeq_epi16(v, _mm_set1_epi16(short(c))); };
        const __m128i blanks = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(is(u' '), is(u'\n')), _mm_or_si128(is(u'\r'), is(u'\t'))),
            _mm_or_si128(is(u'\b'), is(u'\f')));
        return unsigned(_mm_movemask_epi8(blanks));
    };
    for (; end - p >= 8; p += 8) {
        if (const unsigned blanks = blanksAt(p); blanks != 0xFFFF) {
            return p + std::countr_one(blanks) / 2;
        }
    }
#endif
    while (p < end && isBlank(*p)) {
        ++p;
    }
    return p;
}

} // namespace CharScan

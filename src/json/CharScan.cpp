// Runs of blanks, eight code units at a time where the processor has SSE2.
#include "CharScan.h"

namespace CharScan {

const char16_t* skipBlankRun(const char16_t* p, const char16_t* end)
{
#if defined(__SSE2__)
    // Indentation is mostly spaces, so eight spaces are recognised first on their own.
    const __m128i space = _mm_set1_epi16(short(u' '));
    for (; end - p >= 8; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto spaces = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(v, space)));
        if (spaces == 0xFFFF) {
            continue;
        }
        const auto is = [&v](char16_t c) { return _mm_cmpeq_epi16(v, _mm_set1_epi16(short(c))); };
        const __m128i others = _mm_or_si128(_mm_or_si128(is(u'\n'), is(u'\r')),
            _mm_or_si128(_mm_or_si128(is(u'\t'), is(u'\b')), is(u'\f')));
        const unsigned blanks = spaces | unsigned(_mm_movemask_epi8(others));
        if (blanks != 0xFFFF) {
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

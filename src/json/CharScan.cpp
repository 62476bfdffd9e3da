// Runs of blanks, eight code units at a time where the processor has SSE2.
#include "CharScan.h"

namespace CharScan {

const char16_t* skipBlankRun(const char16_t* p, const char16_t* end)
{
#if defined(__SSE2__)
    // Indentation is mostly spaces: the run is scanned for the first unit that is no space, and
    // only that unit is looked at more closely.
    const __m128i space = _mm_set1_epi16(short(u' '));
    const auto spacesAt = [&space](const char16_t* q) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(v, space)));
    };
    while (end - p >= 8) {
        const unsigned spaces = spacesAt(p);
        if (spaces == 0xFFFF) {
            p += 8;
            continue;
        }
        p += std::countr_one(spaces) / 2;
        if (!isBlank(*p)) {
            return p;
        }
        ++p; // a line break or a tab among the spaces
    }
#endif
    while (p < end && isBlank(*p)) {
        ++p;
    }
    return p;
}

} // namespace CharScan

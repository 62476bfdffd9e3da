// Choosing where a long text is cut.
#include "TextSplitter.h"

#include "Unicode.h"

#include <functional>

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u00A0';
}

bool isLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

bool isDanda(char16_t c)
{
    return c == u'\u0964' || c == u'\u0965';
}

// Marks that belong to the character before them: Devanagari vowel signs, nasalisation and the
// virama, the joiners, combining diacritics and variation selectors.
bool isCombining(char16_t c)
{
    return (c >= 0x0900 && c <= 0x0903) || (c >= 0x093A && c <= 0x093C)
        || (c >= 0x093E && c <= 0x094F) || (c >= 0x0951 && c <= 0x0957)
        || (c >= 0x0962 && c <= 0x0963) || (c >= 0x0300 && c <= 0x036F)
        || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1CD0 && c <= 0x1CFF)
        || (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF)
        || (c >= 0xA8E0 && c <= 0xA8F1) || (c >= 0xFE00 && c <= 0xFE0F)
        || (c >= 0xFE20 && c <= 0xFE2F) || c == 0x200C || c == 0x200D;
}

// A cut after a line end, but never between the CR and LF of one line end.
bool isParagraphCut(std::u16string_view text, std::size_t p)
{
    return isLineEnd(text[p - 1]) && !(text[p - 1] == u'\r' && p < text.size() && text[p] == u'\n');
}

// A cut after a sentence's end mark and the spaces that follow it, before the next word.
bool isSentenceCut(std::u16string_view text, std::size_t p)
{
    if (p < text.size() && isSpace(text[p])) {
        return false;
    }
    std::size_t mark = p;
    while (mark > 0 && isSpace(text[mark - 1])) {
        --mark;
    }
    if (mark == 0) {
        return false;
    }
    const char16_t c = text[mark - 1];
    return isDanda(c) || ((c == u'.' || c == u'?' || c == u'!') && mark < p);
}

bool isSpaceCut(std::u16string_view text, std::size_t p)
{
    return isSpace(text[p - 1]) && (p == text.size() || !isSpace(text[p]));
}

} // namespace

bool isClusterBoundary(std::u16string_view text, std::size_t p)
{
    if (p == 0 || p >= text.size()) {
        return true;
    }
    const char16_t before = text[p - 1];
    const char16_t after = text[p];
    if ((Unicode::isHighSurrogate(before) && Unicode::isLowSurrogate(after))
        || (before == u'\r' && after == u'\n')) {
        return false;
    }
    // A virama or a joiner binds the next letter into a conjunct.
    return !isCombining(after) && before != u'\u094D' && before != u'\u200D';
}

std::vector<std::u16string_view> splitText(std::u16string_view text, std::size_t maxLength)
{
    using Rule = std::function<bool(std::u16string_view, std::size_t)>;
    const Rule rules[] = {isParagraphCut, isSentenceCut, isSpaceCut,
        [](std::u16string_view, std::size_t) { return true; }};
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (maxLength > 0 && text.size() - start > maxLength) {
        const std::size_t limit = start + maxLength;
        std::size_t cut = 0;
        for (const Rule& rule : rules) {
            for (std::size_t p = limit; p > start && cut == 0; --p) {
                if (rule(text, p) && isClusterBoundary(text, p)) {
                    cut = p;
                }
            }
            if (cut != 0) {
                break;
            }
        }
        if (cut == 0) {
            // Nothing but marks on one base for a whole part: keep at least the pairs whole.
            const bool pairAtLimit = Unicode::isHighSurrogate(text[limit - 1]);
            cut = pairAtLimit && limit - 1 > start ? limit - 1 : limit;
        }
        parts.push_back(text.substr(start, cut - start));
        start = cut;
    }
    parts.push_back(text.substr(start));
    return parts;
}

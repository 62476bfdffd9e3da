// Counting the letters of the two scripts.
#include "TextScript.h"

namespace {

bool isLatinLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
        || (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7);
}

// Letters and signs of the Devanagari blocks; digits, the danda and the abbreviation sign do not
// say which language a text is in.
bool isDevanagariLetter(char16_t c)
{
    return (c >= 0x0900 && c <= 0x0963) || (c >= 0x0971 && c <= 0x097F)
        || (c >= 0xA8E0 && c <= 0xA8FF);
}

} // namespace

TextScript dominantScript(std::u16string_view text)
{
    std::size_t latin = 0;
    std::size_t devanagari = 0;
    for (const char16_t c : text) {
        latin += isLatinLetter(c) ? 1 : 0;
        devanagari += isDevanagariLetter(c) ? 1 : 0;
    }
    const double letters = static_cast<double>(latin + devanagari);
    if (letters == 0) {
        return TextScript::Unclear;
    }
    if (static_cast<double>(devanagari) >= letters * DominantScriptShare) {
        return TextScript::Devanagari;
    }
    if (static_cast<double>(latin) >= letters * DominantScriptShare) {
        return TextScript::Latin;
    }
    return TextScript::Unclear;
}

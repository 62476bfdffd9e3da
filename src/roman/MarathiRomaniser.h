// Marathi in Devanagari written out in ISO 15919 Latin letters, as a reader would say it: the
// inherent vowel at the end of a word is dropped ("नमस्कार" gives "namaskār") unless the word is a
// single syllable or ends in a conjunct ("न" gives "na", "मित्र" gives "mitra").
#pragma once

#include <string>
#include <string_view>

class MarathiRomaniser
{
public:
    // How the eyelash ra is written: ISO's r with a breve, or a plain r like any other ra.
    enum class EyelashRa
    {
        Breve,
        Plain,
    };

    // Text that is not Devanagari passes through unchanged; Devanagari digits become ASCII digits.
    // Both the precomposed and the decomposed (letter + nukta) forms are understood.
    static std::u16string romanise(std::u16string_view text, EyelashRa eyelash = EyelashRa::Breve);
};

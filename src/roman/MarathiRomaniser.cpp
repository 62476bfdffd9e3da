// The romaniser: one table from Devanagari code points to their ISO 15919 letters and one pass
// that decides where the inherent vowel is written.
#include "MarathiRomaniser.h"

#include <algorithm>
#include <array>

namespace {

enum class Kind
{
    Consonant,
    Vowel, // an independent vowel letter
    VowelSign, // a dependent vowel sign
    Virama,
    Nukta,
    Nasal, // anusvara, chandrabindu and visarga: they follow the vowel they belong to
    Joiner, // ZWJ and ZWNJ only choose a glyph
    Sign, // digits, dandas and om: not letters of a word
    Avagraha, // lengthens the vowel before it, inside the word
};

struct Letter
{
    char16_t code;
    Kind kind;
    std::u16string_view latin;
};

// Sorted by code point. Combining marks: U+0325 ring below, U+0304 macron, U+0310 candrabindu,
// U+035F double macron below.
constexpr std::array Letters {
    Letter {u'\u0901', Kind::Nasal, u"m\u0310"},
    Letter {u'\u0902', Kind::Nasal, u"ṁ"},
    Letter {u'\u0903', Kind::Nasal, u"ḥ"},
    Letter {u'\u0905', Kind::Vowel, u"a"},
    Letter {u'\u0906', Kind::Vowel, u"ā"},
    Letter {u'\u0907', Kind::Vowel, u"i"},
    Letter {u'\u0908', Kind::Vowel, u"ī"},
    Letter {u'\u0909', Kind::Vowel, u"u"},
    Letter {u'\u090A', Kind::Vowel, u"ū"},
    Letter {u'\u090B', Kind::Vowel, u"r\u0325"},
    Letter {u'\u090C', Kind::Vowel, u"l\u0325"},
    Letter {u'\u090D', Kind::Vowel, u"ê"},
    Letter {u'\u090E', Kind::Vowel, u"e"},
    Letter {u'\u090F', Kind::Vowel, u"ē"},
    Letter {u'\u0910', Kind::Vowel, u"ai"},
    Letter {u'\u0911', Kind::Vowel, u"ô"},
    Letter {u'\u0912', Kind::Vowel, u"o"},
    Letter {u'\u0913', Kind::Vowel, u"ō"},
    Letter {u'\u0914', Kind::Vowel, u"au"},
    Letter {u'\u0915', Kind::Consonant, u"k"},
    Letter {u'\u0916', Kind::Consonant, u"kh"},
    Letter {u'\u0917', Kind::Consonant, u"g"},
    Letter {u'\u0918', Kind::Consonant, u"gh"},
    Letter {u'\u0919', Kind::Consonant, u"ṅ"},
    Letter {u'\u091A', Kind::Consonant, u"c"},
    Letter {u'\u091B', Kind::Consonant, u"ch"},
    Letter {u'\u091C', Kind::Consonant, u"j"},
    Letter {u'\u091D', Kind::Consonant, u"jh"},
    Letter {u'\u091E', Kind::Consonant, u"ñ"},
    Letter {u'\u091F', Kind::Consonant, u"ṭ"},
    Letter {u'\u0920', Kind::Consonant, u"ṭh"},
    Letter {u'\u0921', Kind::Consonant, u"ḍ"},
    Letter {u'\u0922', Kind::Consonant, u"ḍh"},
    Letter {u'\u0923', Kind::Consonant, u"ṇ"},
    Letter {u'\u0924', Kind::Consonant, u"t"},
    Letter {u'\u0925', Kind::Consonant, u"th"},
    Letter {u'\u0926', Kind::Consonant, u"d"},
    Letter {u'\u0927', Kind::Consonant, u"dh"},
    Letter {u'\u0928', Kind::Consonant, u"n"},
    Letter {u'\u0929', Kind::Consonant, u"ṉ"},
    Letter {u'\u092A', Kind::Consonant, u"p"},
    Letter {u'\u092B', Kind::Consonant, u"ph"},
    Letter {u'\u092C', Kind::Consonant, u"b"},
    Letter {u'\u092D', Kind::Consonant, u"bh"},
    Letter {u'\u092E', Kind::Consonant, u"m"},
    Letter {u'\u092F', Kind::Consonant, u"y"},
    Letter {u'\u0930', Kind::Consonant, u"r"},
    Letter {u'\u0931', Kind::Consonant, u"ṟ"},
    Letter {u'\u0932', Kind::Consonant, u"l"},
    Letter {u'\u0933', Kind::Consonant, u"ḷ"},
    Letter {u'\u0934', Kind::Consonant, u"ḻ"},
    Letter {u'\u0935', Kind::Consonant, u"v"},
    Letter {u'\u0936', Kind::Consonant, u"ś"},
    Letter {u'\u0937', Kind::Consonant, u"ṣ"},
    Letter {u'\u0938', Kind::Consonant, u"s"},
    Letter {u'\u0939', Kind::Consonant, u"h"},
    Letter {u'\u093C', Kind::Nukta, u""},
    Letter {u'\u093D', Kind::Avagraha, u"’"},
    Letter {u'\u093E', Kind::VowelSign, u"ā"},
    Letter {u'\u093F', Kind::VowelSign, u"i"},
    Letter {u'\u0940', Kind::VowelSign, u"ī"},
    Letter {u'\u0941', Kind::VowelSign, u"u"},
    Letter {u'\u0942', Kind::VowelSign, u"ū"},
    Letter {u'\u0943', Kind::VowelSign, u"r\u0325"},
    Letter {u'\u0944', Kind::VowelSign, u"r\u0325\u0304"},
    Letter {u'\u0945', Kind::VowelSign, u"ê"},
    Letter {u'\u0946', Kind::VowelSign, u"e"},
    Letter {u'\u0947', Kind::VowelSign, u"ē"},
    Letter {u'\u0948', Kind::VowelSign, u"ai"},
    Letter {u'\u0949', Kind::VowelSign, u"ô"},
    Letter {u'\u094A', Kind::VowelSign, u"o"},
    Letter {u'\u094B', Kind::VowelSign, u"ō"},
    Letter {u'\u094C', Kind::VowelSign, u"au"},
    Letter {u'\u094D', Kind::Virama, u""},
    Letter {u'\u0950', Kind::Sign, u"ōm\u0310"},
    Letter {u'\u0958', Kind::Consonant, u"q"},
    Letter {u'\u0959', Kind::Consonant, u"k\u035Fh"},
    Letter {u'\u095A', Kind::Consonant, u"ġ"},
    Letter {u'\u095B', Kind::Consonant, u"z"},
    Letter {u'\u095C', Kind::Consonant, u"ṛ"},
    Letter {u'\u095D', Kind::Consonant, u"ṛh"},
    Letter {u'\u095E', Kind::Consonant, u"f"},
    Letter {u'\u095F', Kind::Consonant, u"ẏ"},
    Letter {u'\u0960', Kind::Vowel, u"r\u0325\u0304"},
    Letter {u'\u0961', Kind::Vowel, u"l\u0325\u0304"},
    Letter {u'\u0962', Kind::VowelSign, u"l\u0325"},
    Letter {u'\u0963', Kind::VowelSign, u"l\u0325\u0304"},
    Letter {u'\u0964', Kind::Sign, u"."},
    Letter {u'\u0965', Kind::Sign, u".."},
    Letter {u'\u0966', Kind::Sign, u"0"},
    Letter {u'\u0967', Kind::Sign, u"1"},
    Letter {u'\u0968', Kind::Sign, u"2"},
    Letter {u'\u0969', Kind::Sign, u"3"},
    Letter {u'\u096A', Kind::Sign, u"4"},
    Letter {u'\u096B', Kind::Sign, u"5"},
    Letter {u'\u096C', Kind::Sign, u"6"},
    Letter {u'\u096D', Kind::Sign, u"7"},
    Letter {u'\u096E', Kind::Sign, u"8"},
    Letter {u'\u096F', Kind::Sign, u"9"},
    Letter {u'\u0970', Kind::Sign, u"."},
    Letter {u'\u0972', Kind::Vowel, u"ê"},
    Letter {u'\u200C', Kind::Joiner, u""},
    Letter {u'\u200D', Kind::Joiner, u""},
};

static_assert(std::is_sorted(Letters.begin(), Letters.end(),
    [](const Letter& a, const Letter& b) { return a.code < b.code; }));

// A consonant followed by the nukta is read as its precomposed letter.
constexpr std::array<std::pair<char16_t, char16_t>, 11> NuktaForms {{
    {u'\u0915', u'\u0958'},
    {u'\u0916', u'\u0959'},
    {u'\u0917', u'\u095A'},
    {u'\u091C', u'\u095B'},
    {u'\u0921', u'\u095C'},
    {u'\u0922', u'\u095D'},
    {u'\u0928', u'\u0929'},
    {u'\u092B', u'\u095E'},
    {u'\u092F', u'\u095F'},
    {u'\u0930', u'\u0931'},
    {u'\u0933', u'\u0934'},
}};

constexpr char16_t Ra = u'\u0930';
constexpr char16_t Rra = u'\u0931';
constexpr char16_t Zwj = u'\u200D';
constexpr char16_t Nukta = u'\u093C';
constexpr char16_t Virama = u'\u094D';
constexpr char16_t Ha = u'\u0939';
constexpr char16_t VowelI = u'\u0907';
constexpr char16_t VowelU = u'\u0909';

const Letter* find(char16_t code)
{
    const auto at = std::lower_bound(Letters.begin(), Letters.end(), code,
        [](const Letter& letter, char16_t wanted) { return letter.code < wanted; });
    return at != Letters.end() && at->code == code ? &*at : nullptr;
}

char16_t withNukta(char16_t consonant)
{
    for (const auto& [plain, dotted] : NuktaForms) {
        if (plain == consonant) {
            return dotted;
        }
    }
    return consonant;
}

// The consonants whose letter followed by h spells another consonant (k, kh).
bool hasAspirate(char16_t consonant)
{
    constexpr std::u16string_view Plain
        = u"\u0915\u0917\u091A\u091C\u091F\u0921\u0924\u0926\u092A\u092C\u095C";
    return Plain.find(consonant) != std::u16string_view::npos;
}

// One pass over the text. A consonant's inherent vowel stays pending until the next code point
// shows whether a vowel sign, a virama or the end of the word follows.
class Romaniser
{
public:
    Romaniser(std::u16string_view text, MarathiRomaniser::EyelashRa eyelash)
        : m_text(text)
        , m_eyelash(eyelash == MarathiRomaniser::EyelashRa::Breve ? u"r\u0306" : u"r")
    { }

    std::u16string run()
    {
        for (m_at = 0; m_at < m_text.size(); ++m_at) {
            const char16_t code = m_text[m_at];
            const Letter* letter = find(code);
            if (!letter) {
                endWord();
                m_out += code;
                continue;
            }
            step(code, *letter);
        }
        endWord();
        return std::move(m_out);
    }

private:
    void step(char16_t code, const Letter& letter)
    {
        switch (letter.kind) {
        case Kind::Consonant:
            consonant(code);
            break;
        case Kind::Vowel:
            // "a" followed by "i" or "u" would read as the diphthongs ai and au.
            if (flushInherent() || m_lastWasA) {
                if (code == VowelI || code == VowelU) {
                    m_out += u':';
                }
            }
            m_out += letter.latin;
            m_lastWasA = code == u'\u0905';
            ++m_vowels;
            m_afterVirama = false;
            return;
        case Kind::VowelSign:
            m_inherentPending = false;
            m_out += letter.latin;
            ++m_vowels;
            break;
        case Kind::Virama:
            m_inherentPending = false;
            m_afterVirama = true;
            m_lastWasA = false;
            return;
        case Kind::Nukta:
            // A nukta after anything but a consonant has nothing to modify.
            break;
        case Kind::Nasal:
            flushInherent();
            m_out += letter.latin;
            break;
        case Kind::Joiner:
            // Only chooses a glyph (the eyelash ra is RA, VIRAMA, ZWJ); it keeps the conjunct.
            return;
        case Kind::Sign:
            endWord();
            m_out += letter.latin;
            break;
        case Kind::Avagraha:
            // The vowel it lengthens is written, final or not, and the word goes on.
            flushInherent();
            m_out += letter.latin;
            break;
        }
        m_lastWasA = false;
        m_afterVirama = false;
    }

    void consonant(char16_t code)
    {
        if (m_at + 1 < m_text.size() && m_text[m_at + 1] == Nukta) {
            code = withNukta(code);
            ++m_at;
        }
        const bool conjunct = m_afterVirama;
        if (flushInherent()) {
            m_lastWasA = false;
        }
        const std::u16string_view latin = isEyelash(code) ? m_eyelash : find(code)->latin;
        // k followed by h would read as the aspirate kh.
        if (conjunct && code == Ha && hasAspirate(m_lastConsonant)) {
            m_out += u':';
        }
        m_out += latin;
        m_inherentPending = true;
        m_pendingInConjunct = conjunct;
        m_lastConsonant = code;
        m_lastWasA = false;
        m_afterVirama = false;
    }

    // Marathi writes its eyelash ra as RRA with a virama, or as RA, virama and ZWJ.
    bool isEyelash(char16_t code) const
    {
        const auto at = [this](std::size_t offset) {
            return m_at + offset < m_text.size() ? m_text[m_at + offset] : char16_t {};
        };
        return at(1) == Virama && (code == Rra || (code == Ra && at(2) == Zwj));
    }

    // Writes the pending inherent vowel of the consonant before; true if there was one.
    bool flushInherent()
    {
        if (!m_inherentPending) {
            return false;
        }
        m_out += u'a';
        m_inherentPending = false;
        ++m_vowels;
        return true;
    }

    // At the end of a word the inherent vowel is silent, unless it is the word's only vowel or
    // follows a conjunct.
    void endWord()
    {
        if (m_inherentPending && (m_vowels == 0 || m_pendingInConjunct)) {
            m_out += u'a';
        }
        m_inherentPending = false;
        m_pendingInConjunct = false;
        m_afterVirama = false;
        m_lastWasA = false;
        m_vowels = 0;
    }

    std::u16string_view m_text;
    std::u16string_view m_eyelash;
    std::size_t m_at = 0;
    std::u16string m_out;
    bool m_inherentPending = false;
    bool m_pendingInConjunct = false;
    bool m_afterVirama = false;
    // The last vowel written was a bare "a" (inherent or the letter अ).
    bool m_lastWasA = false;
    char16_t m_lastConsonant = 0;
    // Vowels written so far in the current word.
    int m_vowels = 0;
};

} // namespace

std::u16string MarathiRomaniser::romanise(std::u16string_view text, EyelashRa eyelash)
{
    return Romaniser(text, eyelash).run();
}

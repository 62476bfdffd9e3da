// Marathi words and sentences against their ISO 15919 spelling with the final inherent vowel
// dropped as it is in speech.
#include "MarathiRomaniser.h"

#include "Unicode.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Case
{
    const char* what;
    std::u16string devanagari;
    std::u16string latin;
};

const Case Cases[] = {
    {"final inherent vowel dropped", u"नमस्कार", u"namaskār"},
    {"single syllable keeps its vowel", u"न", u"na"},
    {"single syllable keeps its vowel", u"व", u"va"},
    {"final vowel after a vowel sign dropped", u"काय", u"kāy"},
    {"inherent vowels inside a word are written", u"करतो", u"karatō"},
    {"final conjunct keeps its vowel", u"मित्र", u"mitra"},
    {"final conjunct keeps its vowel", u"शब्द", u"śabda"},
    {"conjunct jña", u"ज्ञान", u"jñān"},
    {"explicit virama at the end", u"जगत्", u"jagat"},
    {"h after a virama is no aspirate", u"म्हणून", u"mhaṇūn"},
    {"vowels of every length", u"ईश्वर", u"īśvar"},
    {"vocalic r", u"ऋषी", u"r̥ṣī"},
    {"vocalic r sign and anusvara", u"संस्कृत", u"saṁskr̥t"},
    {"anusvara", u"हंस", u"haṁs"},
    {"anusvara on a final inherent vowel", u"हं", u"haṁ"},
    {"chandrabindu", u"चाँदणी", u"cām̐daṇī"},
    {"visarga inside a word", u"दुःख", u"duḥkh"},
    {"visarga on a final inherent vowel", u"अतः", u"ataḥ"},
    {"precomposed nukta letters", u"\u095Eायदा \u095Bमीन", u"fāyadā zamīn"},
    {"decomposed nukta letters", u"\u092B\u093Cायदा \u091C\u093Cमीन", u"fāyadā zamīn"},
    {"nukta on a final consonant", u"बा\u091C\u093C", u"bāz"},
    {"eyelash ra as RRA and virama", u"दुस\u0931\u094Dया", u"dusar̆yā"},
    {"eyelash ra as RA, virama and ZWJ", u"दुस\u0930\u094D\u200Dया", u"dusar̆yā"},
    {"RA, virama and ZWNJ is an ordinary half ra", u"दुस\u0930\u094D\u200Cया", u"dusaryā"},
    {"RRA without a virama", u"\u0931", u"ṟa"},
    {"candra vowels of English words", u"बॅट डॉक्टर", u"bêṭ ḍôkṭar"},
    {"retroflex lateral", u"बाळ", u"bāḷ"},
    {"Devanagari digits", u"१२३४५६७८९०", u"1234567890"},
    {"digits end a word", u"२०२४ साली", u"2024 sālī"},
    {"a sentence with a danda", u"मी मराठी बोलतो।", u"mī marāṭhī bōlatō."},
    {"Latin text and punctuation pass through", u"Quendra: नमस्कार!\r\nहो",
        u"Quendra: namaskār!\r\nhō"},
    {"a followed by i is no diphthong", u"अइ", u"a:i"},
    {"inherent a followed by u is no diphthong", u"कउ", u"ka:u"},
    {"k followed by h is no aspirate", u"क्ह", u"k:ha"},
    {"om and avagraha", u"ॐ सोऽहम्", u"ōm̐ sō’ham"},
    {"avagraha lengthens an inner inherent vowel", u"एकदऽऽम", u"ēkada’’m"},
    {"avagraha lengthens a final inherent vowel", u"रामरामऽऽ", u"rāmarāma’’"},
    {"avagraha after a vowel sign", u"काऽय", u"kā’y"},
    {"stray signs before any letter", u"ा़्ं", u"āṁ"},
    {"empty text", u"", u""},
};

TEST(MarathiRomaniser, SpellsWordsAsTheyAreSaid)
{
    for (const Case& c : Cases) {
        EXPECT_EQ(
            Unicode::toUtf8(MarathiRomaniser::romanise(c.devanagari)), Unicode::toUtf8(c.latin))
            << c.what << ": " << Unicode::toUtf8(c.devanagari);
    }
}

TEST(MarathiRomaniser, WritesTheEyelashRaPlainWhenAsked)
{
    for (const std::u16string word : {u"दुस\u0931\u094Dया", u"दुस\u0930\u094D\u200Dया"}) {
        EXPECT_EQ(MarathiRomaniser::romanise(word, MarathiRomaniser::EyelashRa::Plain), u"dusaryā");
    }
}

// Characters beyond the Basic Multilingual Plane and lone surrogates are not Devanagari and
// pass through as they are, around words that still end as words.
TEST(MarathiRomaniser, PassesOtherTextThrough)
{
    const std::u16string text = u"घर\U0001F600घर\xD800";
    EXPECT_EQ(MarathiRomaniser::romanise(text), u"ghar\U0001F600ghar\xD800");
}

} // namespace

// Where long texts are cut: the preferred breaks in order, and the characters that must stay
// whole.
#include "TextSplitter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<std::u16string> split(std::u16string_view text, std::size_t maxLength)
{
    std::vector<std::u16string> pieces;
    for (const std::u16string_view piece : splitText(text, maxLength)) {
        pieces.emplace_back(piece);
    }
    return pieces;
}

} // namespace

TEST(TextSplitterTest, CutsAtTheBestBreakWithinTheLimit)
{
    const struct
    {
        const char* name;
        std::u16string text;
        std::size_t maxLength;
        std::vector<std::u16string> pieces;
    } cases[] = {
        {"a text that fits is one piece", u"Short. Text.", 12, {u"Short. Text."}},
        {"a paragraph break before a later sentence end", u"One two.\r\nThree. Four five six", 20,
            {u"One two.\r\n", u"Three. Four five six"}},
        {"CR LF stays together", u"Aaaaaaaa\r\nBbbbbbbbbb", 9,
            {u"Aaaaaaaa", u"\r\n", u"Bbbbbbbbb", u"b"}},
        {"a sentence end before a later space", u"One. Two three four five", 16,
            {u"One. ", u"Two three four ", u"five"}},
        {"question and exclamation marks", u"Why? Because! Yes no maybe", 14,
            {u"Why? Because! ", u"Yes no maybe"}},
        {"the danda and the double danda", u"नदी शांत होती।होड्या गेल्या॥ पुढे", 16,
            {u"नदी शांत होती।", u"होड्या गेल्या॥ ", u"पुढे"}},
        {"a full stop inside a number is no sentence end", u"Pay 3.50 now or later", 12,
            {u"Pay 3.50 ", u"now or later"}},
        {"spaces when there is no sentence end", u"alpha beta gamma delta", 12,
            {u"alpha beta ", u"gamma delta"}},
        {"a word longer than a part is cut where it must be", u"abcdefghij klm", 4,
            {u"abcd", u"efgh", u"ij ", u"klm"}},
        {"a surrogate pair is never cut", u"abc😀def", 4, {u"abc", u"😀de", u"f"}},
        {"a conjunct and its vowel sign stay with their letter", u"क्षत्रिय", 4,
            {u"क्ष", u"त्रि", u"य"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split(c.text, c.maxLength), c.pieces) << c.name;
    }
}

TEST(TextSplitterTest, LongMixedTextsJoinAgainAndKeepWordsWhole)
{
    const std::u16string words[] = {u"river", u"नदी", u"शांत", u"क्षण", u"boat.", u"होती।", u"why?",
        u"😀", u"\r\n", u"\r\n\r\n", u"आज"};
    std::mt19937 random(14);
    for (int round = 0; round < 20; ++round) {
        std::u16string text;
        while (text.size() < 20000) {
            text += words[random() % std::size(words)];
            text += random() % 5 == 0 ? u"  " : u" ";
        }
        const std::size_t maxLength = 100 + random() % 900;
        std::u16string joined;
        std::size_t at = 0;
        for (const std::u16string_view piece : splitText(text, maxLength)) {
            ASSERT_LE(piece.size(), maxLength);
            ASSERT_FALSE(piece.empty());
            at += piece.size();
            joined += piece;
            // Every piece but the last ends at a break between words.
            if (at < text.size()) {
                const char16_t last = piece.back();
                EXPECT_TRUE(last == u' ' || last == u'\n' || last == u'।') << int(last);
                EXPECT_TRUE(isClusterBoundary(text, at));
            }
        }
        EXPECT_EQ(joined, text);
    }
}

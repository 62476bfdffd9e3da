// History texts keep every UTF-16 unit, and damaged bytes never break reading.
#include "StoredText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

std::u16string megabyteText()
{
    std::u16string text;
    const std::u16string piece = u"नमस्कार, world\0\xD800 \U0001F600\r\n"s;
    while (text.size() < 512 * 1024) {
        text += piece;
    }
    return text;
}

} // namespace

TEST(StoredTextTest, EveryUnitSurvivesTheRoundTrip)
{
    const std::u16string cases[] = {
        u"",
        u"plain English",
        u"मराठी भाषा",
        u"before\0after"s,
        u"lone high \xD800 in the middle",
        u"lone low \xDC00 in the middle",
        u"low then high \xDC00\xD800 stay two units",
        u"\xDBFF",
        u"pair \U0001F600 and high at the end \xD83D",
        megabyteText(),
    };
    for (const auto& text : cases) {
        EXPECT_EQ(StoredText::fromStored(StoredText::toStored(text)), text)
            << "length " << text.size();
    }
}

TEST(StoredTextTest, StoredFormHoldsNoZeroByte)
{
    EXPECT_EQ(StoredText::toStored(u"a\0b"s),
        "a\xC0\x80"
        "b");
    EXPECT_EQ(StoredText::toStored(megabyteText()).find('\0'), std::string::npos);
}

TEST(StoredTextTest, StandardUtf8ReplacesLoneSurrogatesOnly)
{
    EXPECT_EQ(StoredText::toUtf8(u"a\xD800"
                                 u"b\U0001F600"),
        "a\xEF\xBF\xBD"
        "b\xF0\x9F\x98\x80");
    EXPECT_EQ(StoredText::toUtf8(u"मराठी"), "मराठी");
}

TEST(StoredTextTest, MalformedBytesReadAsReplacementCharacters)
{
    const struct
    {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"\x80", u"\xFFFD"},
        {"a\xC3", u"a\xFFFD"},
        {"\xC0\xAF", u"\xFFFD\xFFFD"},
        {"a\xC0\x80"
         "b",
            u"a\0b"s},
        {"\xC0", u"\xFFFD"},
        {"\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
        {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"\xE0\xA4", u"\xFFFD\xFFFD"},
        {"\xF8\x80\x80", u"\xFFFD\xFFFD\xFFFD"}, // no lead byte
        {"ok\xF0\x9F\x98\x80", u"ok\U0001F600"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredText::fromStored(c.bytes), c.text) << c.bytes;
    }
}

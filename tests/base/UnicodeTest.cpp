// UTF-8 and UTF-16 in both directions, in the standard and the exact form.
#include "Unicode.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

TEST(UnicodeTest, DecodesStandardUtf8)
{
    const struct
    {
        std::string_view bytes;
        std::u16string_view text;
    } cases[] = {
        {"plain", u"plain"}, {"\xc3\xa9\xe0\xa4\x95", u"\u00e9\u0915"},
        {"\xf0\x9f\x98\x80", u"\xd83d\xde00"}, {"\xc0\x80", u"\xfffd\xfffd"}, // overlong
        {"\xed\xa0\x80", u"\xfffd\xfffd\xfffd"}, // an encoded surrogate
        {"a\xe0\xa4", u"a\xfffd\xfffd"}, // cut short
        {"\xf4\x90\x80\x80", u"\xfffd\xfffd\xfffd\xfffd"}, // past U+10FFFF
        {"\xf8\x88\x80\x80\x80", u"\xfffd\xfffd\xfffd\xfffd\xfffd"}, // no lead byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Unicode::fromUtf8(c.bytes), c.text) << c.bytes;
    }
    EXPECT_EQ(Unicode::toUtf8(u"\u00e9\u0915\xd83d\xde00"), "\xc3\xa9\xe0\xa4\x95\xf0\x9f\x98\x80");
    EXPECT_EQ(Unicode::toUtf8(u"\xdc00x"), "\xef\xbf\xbdx");
}

// The exact form differs from the standard one only in NUL and in lone surrogates.
TEST(UnicodeTest, ExactFormKeepsNulAndLoneSurrogates)
{
    const std::u16string text = u"a\0b\xD800 \xDC00\U0001F600"s;
    const std::string exact = "a\xC0\x80"
                              "b\xED\xA0\x80 \xED\xB0\x80\xF0\x9F\x98\x80";
    EXPECT_EQ(Unicode::toUtf8(text, Unicode::Utf8Form::Exact), exact);
    EXPECT_EQ(Unicode::fromUtf8(exact, Unicode::Utf8Form::Exact), text);
    EXPECT_EQ(Unicode::toUtf8(text), "a\0b\xEF\xBF\xBD \xEF\xBF\xBD\xF0\x9F\x98\x80"s);
    EXPECT_EQ(Unicode::fromUtf8(exact),
        u"a\xFFFD\xFFFD"
        u"b\xFFFD\xFFFD\xFFFD \xFFFD\xFFFD\xFFFD\U0001F600");
}

TEST(UnicodeTest, CodePointsAndSurrogatePairs)
{
    EXPECT_TRUE(Unicode::isHighSurrogate(0xDBFF));
    EXPECT_FALSE(Unicode::isHighSurrogate(0xDC00));
    EXPECT_TRUE(Unicode::isLowSurrogate(0xDC00));
    EXPECT_FALSE(Unicode::isLowSurrogate(0xE000));
    EXPECT_EQ(Unicode::combineSurrogates(0xD83D, 0xDE00), U'\U0001F600');
    const struct
    {
        char32_t code;
        std::u16string_view units;
    } cases[] = {
        {U'a', u"a"},
        {0xFFFF, u"\xFFFF"},
        {0x10000, u"\xD800\xDC00"},
        {0x10FFFF, u"\xDBFF\xDFFF"},
        {0x110000, u"\xFFFD"},
    };
    for (const auto& c : cases) {
        std::u16string out;
        Unicode::appendUtf16(out, c.code);
        EXPECT_EQ(out, c.units) << std::hex << std::uint32_t(c.code);
    }
}

} // namespace

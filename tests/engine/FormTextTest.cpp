// Form encoding of the text to translate, from its UTF-8 bytes.
#include "FormText.h"

#include "Unicode.h"

#include <gtest/gtest.h>

TEST(FormTextTest, EncodesTextAsTheServiceExpects)
{
    struct Case
    {
        std::u16string text;
        std::string encoded;
    };
    const Case cases[] = {
        {u"Hello world", "Hello+world"},
        {u"a~b", "a%7Eb"},
        {u"50% off!", "50%25+off!"},
        {u"x=1&y=2", "x%3D1%26y%3D2"},
        {u"\u00e9", "%C3%A9"},
        {u"नमस्कार", "%E0%A4%A8%E0%A4%AE%E0%A4%B8%E0%A5%8D%E0%A4%95%E0%A4%BE%E0%A4%B0"},
        {u"a\r\nb", "a%0D%0Ab"},
        {u"a+b/c:d", "a%2Bb%2Fc%3Ad"},
        {std::u16string(u"before\0after", 12), "before%00after"}, // a NUL cuts nothing
        {u"\U0001F600", "%F0%9F%98%80"}, // a surrogate pair is one four-byte sequence
        {u"x\xD83Dy", "x%EF%BF%BDy"}, // a lone surrogate becomes U+FFFD
        {u"\xDE00", "%EF%BF%BD"},
        {u"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeFormText(Unicode::toUtf8(c.text)), c.encoded) << c.encoded;
    }
}

TEST(FormTextTest, KeepsExactlyTheUnreservedCharacters)
{
    const std::string unreserved
        = "!$'()*-.0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
    for (int byte = 1; byte < 256; ++byte) {
        const std::string input(1, static_cast<char>(byte));
        const std::string encoded = encodeFormText(input);
        if (unreserved.find(static_cast<char>(byte)) != std::string::npos) {
            EXPECT_EQ(encoded, input);
        } else if (byte == ' ') {
            EXPECT_EQ(encoded, "+");
        } else {
            char expected[4];
            std::snprintf(expected, sizeof expected, "%%%02X", byte);
            EXPECT_EQ(encoded, expected);
        }
    }
}

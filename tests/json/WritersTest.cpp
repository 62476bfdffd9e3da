// The text writers.
#include "JsonStreamWriter.h"
#include "JsonStringWriter.h"
#include "JsonValue.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonStringWriter, GrowsAndKeepsATerminator)
{
    JsonStringWriter writer;
    EXPECT_EQ(writer.capacity(), 32);
    const std::u16string forty(40, u'x');
    EXPECT_EQ(writer.writeChars(forty.data(), 40), 40);
    EXPECT_EQ(writer.capacity(), 64); // twice 32
    const std::u16string hundred(100, u'y');
    EXPECT_EQ(writer.writeChars(hundred.data(), 100), 100);
    EXPECT_EQ(writer.capacity(), 148); // 140 used + 8
    EXPECT_EQ(writer.writeChars(hundred.data(), 0), 0);
    EXPECT_EQ(writer.writeChars(hundred.data(), -3), -3);
    EXPECT_EQ(writer.usedLength(), 140);
    EXPECT_EQ(writer.view().data()[140], u'\0');
    EXPECT_EQ(writer.currentText(), forty + hundred);

    writer.discard();
    EXPECT_EQ(writer.usedLength(), 0);
    EXPECT_EQ(writer.capacity(), 148);
    EXPECT_EQ(writer.appendText(u"ab\0cd"), 2);
    writer.writeChars(u"\0c", 2);
    EXPECT_EQ(writer.currentText(), std::u16string(u"ab\0c", 4));
}

TEST(JsonUtf16StreamWriter, WritesLowByteFirst)
{
    std::string stream = "old";
    JsonUtf16StreamWriter writer(stream);
    writer.discard();
    const JsonValue value = JsonValue::fromText(u"a\u0915");
    EXPECT_EQ(value.writeTo(writer, false, false, 0), 1);
    EXPECT_EQ(stream, std::string("\"\0a\0\x15\x09\"\0", 8));
}

} // namespace

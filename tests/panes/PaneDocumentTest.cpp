// The document model: stored forms of text, item operations and the plain-text walk.
#include "PaneDocument.h"

#include "CodePages.h"
#include "Exception.h"
#include "PaneTestSupport.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

const QString Devanagari = QString::fromUtf8("नमस्कार, जग");
const QString Emoji = QString::fromUtf8("smile 😀");

} // namespace

TEST(PaneDocument, TextComesBackFromUnicodeAndEightBitStyles)
{
    PaneStyles styles;
    PaneDocument document(styles);
    struct Case
    {
        int style;
        QString text;
        QByteArray stored;
    };
    const Case cases[] = {
        {0, Devanagari, CodePages::toUtf16Le(Devanagari)},
        {0, Emoji, CodePages::toUtf16Le(Emoji)},
        {0, "tab\tand\nline", QByteArray("t\0a\0b\0\t\0a\0n\0d\0\n\0l\0i\0n\0e\0", 24)},
        {6, "plain text", "plain text"},
    };
    for (const Case& c : cases) {
        const int index = document.addTextItem("", c.style, 0, 0);
        document.setItemText(index, c.text);
        EXPECT_EQ(document.item(index).isUnicode, styles.textStyle(c.style).unicode);
        EXPECT_EQ(document.item(index).stored, c.stored) << c.text.toStdString();
        EXPECT_EQ(document.getItemText(index), c.text);
    }
    document.clear();
    EXPECT_EQ(document.itemCount(), 0);
    EXPECT_THROW(document.getItemText(0), Exception);
}

TEST(PaneDocument, FlagsKeepTheirRules)
{
    PaneItem item;
    item.setPageBreak();
    item.setContinuesLine();
    EXPECT_FALSE(item.pageBreak);
    item.setLineBreak();
    EXPECT_FALSE(item.continuesLine);
    EXPECT_TRUE(item.startsLine());
    EXPECT_FALSE(item.startsParagraph());

    // Whatever the first item says, it starts the document's first paragraph.
    PaneStyles styles;
    PaneDocument document(styles);
    document.addTabItem(0);
    EXPECT_TRUE(document.item(0).startsParagraph());
}

TEST(PaneDocument, PlainTextJoinsLinesWithCrLf)
{
    PaneStyles styles;
    PaneDocument document(styles);
    document.addTextItem("first line", 0, 0, 0);
    document.addTextItem("second", 0, 0, 0);
    document.addTabItem(0);
    document.addTextItem("x", 0, 0, 0);
    // Shown: "first line" / "second" TAB / "x"
    struct Case
    {
        int first, firstOffset, last, lastOffset;
        QString expected;
    };
    const Case cases[] = {
        {0, 6, 1, 3, "line\r\nsec"},
        {0, 0, 3, 1, "first line\r\nsecond\t\r\nx"},
        {1, 6, 2, 1, "\t"},
        {0, 10, 1, 0, "\r\n"},
        {0, 2, 0, 5, "rst"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(document.plainText(c.first, c.firstOffset, c.last, c.lastOffset), c.expected);
    }
}

TEST(CodePages, CharsetsAndConversions)
{
    const std::pair<int, int> charsets[]
        = {{1, 0}, {0, 1252}, {128, 932}, {204, 1251}, {255, 1}, {77, 2}, {3, 0}, {200, 0}};
    for (const auto& [charset, codePage] : charsets) {
        EXPECT_EQ(CodePages::ofCharset(charset, 0), codePage) << charset;
    }
    EXPECT_EQ(CodePages::ofCharset(1, 1250), 1250);

    EXPECT_EQ(CodePages::toUnicode("", 0), "");
    EXPECT_EQ(CodePages::fromUnicode("", 1252), "");
    // Code page 0 is the locale's encoding; an unknown code page falls back to it.
    EXPECT_EQ(CodePages::toUnicode("abc", 0), "abc");
    EXPECT_EQ(CodePages::toUnicode("abc", 12345), "abc");
    const QString accented = QString::fromUtf8("é");
    EXPECT_EQ(CodePages::toUnicode(CodePages::fromUnicode(accented, 0), 0), accented);
    if (QStringDecoder("windows-1252").isValid()) {
        EXPECT_EQ(CodePages::fromUnicode(accented + QChar(0x20AC), 1252), "\xE9\x80");
        EXPECT_EQ(CodePages::toUnicode("\xE9\x80", 1252), accented + QChar(0x20AC));
        EXPECT_EQ(CodePages::fromUnicode(QString::fromUtf8("नम\x1A"), 1252), "??\x1A");
    }

    // An odd last byte of stored UTF-16 is dropped; unpaired surrogates survive as they are.
    EXPECT_EQ(CodePages::fromUtf16Le(QByteArray("a\0b", 3)), "a");
    const QString lone(QChar(0xD800));
    EXPECT_EQ(CodePages::fromUtf16Le(CodePages::toUtf16Le(lone)), lone);
}

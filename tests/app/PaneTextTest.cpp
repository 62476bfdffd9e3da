// Plain-text rules of the panes: the trimmed character set and the CR LF line split.
#include "PaneText.h"

#include "EditPane.h"
#include "Exception.h"

#include <gtest/gtest.h>

TEST(PaneTextTest, TrimRemovesExactlyTheSpaceAndControlSet)
{
    // Boundaries of every range of the set: inside ones are trimmed, the neighbours outside kept.
    const char16_t trimmed[]
        = {0x0000, 0x0009, 0x0020, 0x007F, 0x0085, 0x00A0, 0x070F, 0x1680, 0x180B, 0x180E, 0x2000,
            0x200B, 0x200F, 0x2028, 0x202A, 0x202F, 0x206A, 0x206F, 0x3000, 0xFEFF, 0xFFF9, 0xFFFB};
    const char16_t kept[] = {0x0021, 0x007E, 0x00A1, 0x070E, 0x0710, 0x167F, 0x1681, 0x180A, 0x180F,
        0x1FFF, 0x2010, 0x2027, 0x2029, 0x2030, 0x2069, 0x2070, 0x2FFF, 0x3001, 0xFEFE, 0xFFF8,
        0xFFFC, 0xD800, 0xDC00};
    for (char16_t c : trimmed) {
        const QString unit(QChar {c});
        EXPECT_EQ(trimSpaceAndControl(unit + "a" + unit + "b" + unit), "a" + unit + "b")
            << std::hex << int(c);
    }
    for (char16_t c : kept) {
        const QString unit(QChar {c});
        EXPECT_EQ(trimSpaceAndControl(" " + unit + "a" + unit + "\r\n"), unit + "a" + unit)
            << std::hex << int(c);
    }
    EXPECT_EQ(trimSpaceAndControl(QStringLiteral(" \r\n\t\u3000")), QString());
}

TEST(PaneTextTest, LinesEndAtCrLfOnly)
{
    const struct
    {
        QString text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc", {"a\nb\rc"}},
        {"a\r\r\nb\n\r\n", {"a\r", "b\n"}},
        {"one\r\ntwo\r\nthree", {"one", "two", "three"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitPaneLines(c.text), c.lines) << c.text.toStdString();
    }
}

TEST(PaneTextTest, LineLimitIs65535Characters)
{
    const QString longest(65535, QChar('x'));
    EXPECT_EQ(splitPaneLines("a\r\n" + longest).size(), 2);
    try {
        splitPaneLines("a\r\n" + longest + "y\r\nb");
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "Line too long");
    }
}

TEST(PaneTextTest, TooLargeTextIsRefusedAndThePaneKeepsItsText)
{
    PaneStyles styles;
    EditPane pane(styles);
    setPaneText(pane, "kept");
    try {
        setPaneText(pane, QString(MaxPaneTextLength + 1, QChar('x')));
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "The text is larger than 64 MB and was not put into the pane");
    }
    EXPECT_EQ(getPaneText(pane), "kept");
    EXPECT_EQ(pane.toPlainText(), "kept");
}

// Reading text files into a document and writing it back as UTF-16 text.
#include "PaneDocument.h"
#include "PaneTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct LoadCase
{
    const char* name;
    QByteArray bytes;
    bool oneParagraph;
    QString expected;
};

} // namespace

TEST(LoadTextFile, LineEndsTabsFormFeedsAndEncodings)
{
    const QString nonAscii = QString::fromUtf8("नमस्ते é");
    const LoadCase cases[] = {
        {"lf with final break", "a\nb\n", true, "P:a | L:b | L:"},
        {"every line end once", "1\r\n2\n3\r4\n\r5", true, "P:1 | L:2 | L:3 | L:4 | L:5"},
        {"cr cr gives an empty line", "a\r\rb", true, "P:a | L: | L:b"},
        {"lf lf gives an empty line", "a\n\nb", true, "P:a | L: | L:b"},
        {"paragraphs", "a\r\nb", false, "P:a | P:b"},
        {"tab inside a line", "a\tb", true, "P:a | C:<tab> | C:b"},
        {"leading and trailing tab", "\tx\t", true, "P: | C:<tab> | C:x | C:<tab>"},
        {"tab after a line end", "a\n\tb", true, "P:a | L: | C:<tab> | C:b"},
        {"form feed", "a\fb", false, "P:a | !P:b"},
        {"form feed in one paragraph", "a\fb", true, "P:a | !L:b"},
        {"vertical tab stays", "a\vb", true, "P:a\vb"},
        {"nul", QByteArray("a\0b", 3), true, "P:a?b"},
        {"utf-8 mark", "\xEF\xBB\xBF" + nonAscii.toUtf8(), true, "P:" + nonAscii},
        {"utf-16le mark",
            QByteArray("\xFF\xFE"
                       "a\0\n\0\t\0b\0\0\0",
                12),
            true, "P:a | L: | C:<tab> | C:b?"},
        {"utf-16be mark", QByteArray("\xFE\xFF\0a\0\r\0\n\0b", 10), true, "P:a | L:b"},
        {"code page 0 without a mark", nonAscii.toUtf8(), true, "P:" + nonAscii},
    };
    TempFiles files;
    PaneStyles styles;
    for (const LoadCase& c : cases) {
        PaneDocument document(styles);
        const QString path = files.write("in.txt", c.bytes);
        EXPECT_TRUE(document.loadTextFile(path, 0, 0, c.oneParagraph)) << c.name;
        EXPECT_EQ(describe(document), c.expected) << c.name;
    }
}

TEST(LoadTextFile, AppendsAndFailsWithoutChange)
{
    TempFiles files;
    PaneStyles styles;
    PaneDocument document(styles);
    document.addTextItem("kept", 0, 0, 0);
    const QString path = files.write("in.txt", "x\ny");

    EXPECT_TRUE(document.loadTextFile(path, 0, 0, true));
    EXPECT_TRUE(document.loadTextFile(path, 0, 0, true));
    EXPECT_EQ(describe(document), "P:kept | P:x | L:y | P:x | L:y");

    EXPECT_TRUE(document.loadTextFile(files.write("empty.txt", ""), 0, 0, true));
    EXPECT_FALSE(document.loadTextFile(files.path("missing.txt"), 0, 0, true));
    EXPECT_FALSE(document.loadTextFile(files.path(""), 0, 0, true));
    if (geteuid() != 0) {
        ::chmod(path.toLocal8Bit().constData(), 0);
        EXPECT_FALSE(document.loadTextFile(path, 0, 0, true));
    }
    EXPECT_EQ(document.itemCount(), 5);
}

TEST(SaveTextFile, WritesUtf16WithMarkAndCrLfBetweenLines)
{
    TempFiles files;
    PaneStyles styles;
    struct Case
    {
        const char* name;
        std::function<void(PaneDocument&)> fill;
        QByteArray expected;
    };
    const Case cases[] = {
        {"two lines",
            [](PaneDocument& d) {
                d.addTextItem("a", 0, 0, 0);
                d.addTextItem("b", 0, 0, 0);
            },
            QByteArray("\xFF\xFE"
                       "a\0\r\0\n\0b\0",
                10)},
        {"empty document", [](PaneDocument&) {}, QByteArray()},
        {"one empty line", [](PaneDocument& d) { d.addTextItem("", 0, 0, 0); },
            QByteArray("\xFF\xFE", 2)},
        {"tab item and eight-bit style",
            [](PaneDocument& d) {
                d.addTextItem("x", 6, 0, 0);
                d.addTabItem(0);
                d.addTextItem("", 0, 0, 0);
            },
            QByteArray("\xFF\xFE"
                       "x\0\t\0\r\0\n\0",
                10)},
    };
    for (const Case& c : cases) {
        PaneDocument document(styles);
        c.fill(document);
        const QString path = files.write("out.txt", "old content that must go");
        EXPECT_TRUE(document.saveTextFile(path, 0)) << c.name;
        EXPECT_EQ(TempFiles::read(path), c.expected) << c.name;
    }
}

TEST(SaveTextFile, SavedFileLoadsBackToTheSameLines)
{
    TempFiles files;
    PaneStyles styles;
    PaneDocument original(styles);
    const QString path
        = files.write("in.txt", QString::fromUtf8("one\r\n\r\nनमस्ते\ta\r\n  end 😀").toUtf8());
    ASSERT_TRUE(original.loadTextFile(path, 0, 0, true));
    ASSERT_TRUE(original.saveTextFile(files.path("saved.txt"), 0));

    PaneDocument reloaded(styles);
    ASSERT_TRUE(reloaded.loadTextFile(files.path("saved.txt"), 0, 0, true));
    EXPECT_EQ(describe(reloaded), describe(original));

    EXPECT_FALSE(original.saveTextFile(files.path("no/such/folder/x.txt"), 0));
}

// The pane widgets: the model sees what the user typed, the widget shows what the model holds.
#include "EditPane.h"
#include "PaneTestSupport.h"
#include "ViewPane.h"

#include <QContextMenuEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <gtest/gtest.h>

namespace {

void fill(Pane& pane, const QStringList& lines)
{
    pane.clear();
    for (int i = 0; i < lines.size(); ++i) {
        pane.addTextItem("", 0, 0, 0);
        pane.setItemText(i, lines[i]);
    }
    pane.format();
}

QStringList shownBlocks(const Pane& pane)
{
    QStringList blocks;
    for (QTextBlock b = pane.document()->firstBlock(); b.isValid(); b = b.next()) {
        blocks << b.text();
    }
    return blocks;
}

void select(Pane& pane, int from, int to)
{
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
}

} // namespace

TEST(PaneWidget, TypedTextBecomesItems)
{
    PaneStyles styles;
    EditPane pane(styles);
    QTest::keyClicks(&pane, "ab");
    QTest::keyClick(&pane, Qt::Key_Tab);
    QTest::keyClicks(&pane, "c");
    QTest::keyClick(&pane, Qt::Key_Return);
    QTest::keyClick(&pane, Qt::Key_Tab);
    QTest::keyClick(&pane, Qt::Key_Return);
    QTest::keyClicks(&pane, "d");
    QTest::keyClick(&pane, Qt::Key_Return, Qt::ShiftModifier);
    // Text that comes from an input method rather than from key codes.
    pane.insertPlainText(QString::fromUtf8("नमस्ते"));
    EXPECT_EQ(describe(pane.model()),
        QString::fromUtf8("P:ab | C:<tab> | C:c | P: | C:<tab> | P:d | L:नमस्ते"));

    // Items added through the model follow what was typed; typing after format is seen again.
    pane.setItemText(pane.addTextItem("", 0, 0, 0), "added");
    pane.format();
    QTest::keyClicks(&pane, "x");
    EXPECT_EQ(pane.itemCount(), 8);
    EXPECT_EQ(pane.getItemText(0), "xab");
    EXPECT_EQ(pane.getItemText(7), "added");

    // Deleting everything leaves no items, not one empty one.
    pane.selectAll();
    QTest::keyClick(&pane, Qt::Key_Delete);
    EXPECT_EQ(pane.itemCount(), 0);
}

TEST(PaneWidget, FormatShowsTheModel)
{
    PaneStyles styles;
    ViewPane pane(styles);
    struct Case
    {
        QStringList lines;
        QStringList blocks;
    };
    const Case cases[] = {
        {{"one", "", QString::fromUtf8("तीन")}, {"one", "", QString::fromUtf8("तीन")}},
        {{"a\nb\rc", "tab\there"}, {QString("a\u2028b\u2028c"), "tab\there"}},
        {{}, {""}},
    };
    for (const Case& c : cases) {
        fill(pane, c.lines);
        EXPECT_EQ(shownBlocks(pane), c.blocks);
        // What was shown reads back as the very items that were put in.
        EXPECT_EQ(pane.itemCount(), c.lines.size());
        for (int i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(pane.getItemText(i), c.lines[i]);
        }
    }

    // A read-only pane takes no typing; clear shows nothing only after format.
    fill(pane, {"kept"});
    QTest::keyClicks(&pane, "zz");
    EXPECT_EQ(describe(pane.model()), "P:kept");
    pane.clear();
    EXPECT_EQ(pane.itemCount(), 0);
    EXPECT_EQ(shownBlocks(pane), QStringList {"kept"});
    pane.format();
    EXPECT_EQ(shownBlocks(pane), QStringList {""});
}

TEST(PaneWidget, LinesOfOneParagraphShowAsBlocksAndReadBackAsLines)
{
    // A loaded file is one paragraph of lines; each line is a block of its own in the widget, so
    // a big file is never laid out as one block, and typing reads the same items back.
    PaneStyles styles;
    EditPane pane(styles);
    TempFiles files;
    fill(pane, {"before"});
    ASSERT_TRUE(pane.loadTextFile(files.write("in.txt", "one\ntwo\tx\n\nfour"), 0, 0, true));
    pane.format();
    const QString loaded = "P:before | P:one | L:two | C:<tab> | C:x | L: | L:four";
    EXPECT_EQ(describe(pane.model()), loaded);
    EXPECT_EQ(shownBlocks(pane), (QStringList {"before", "one", "two\tx", "", "four"}));

    QTest::keyClicks(&pane, "!");
    EXPECT_EQ(describe(pane.model()), "P:!before" + loaded.mid(8));
    // Return inside a line of the paragraph starts another line of it, not a paragraph.
    pane.moveCursor(QTextCursor::End);
    QTest::keyClick(&pane, Qt::Key_Return);
    QTest::keyClicks(&pane, "five");
    EXPECT_EQ(describe(pane.model()), "P:!before" + loaded.mid(8) + " | L:five");
}

TEST(PaneWidget, SelectedTextFollowsItemsAndLines)
{
    PaneStyles styles;
    EditPane pane(styles);
    TempFiles files;
    ASSERT_TRUE(pane.loadTextFile(files.write("in.txt", "first\nsecond\ta\r\nthird"), 0, 0, true));
    pane.setItemText(pane.addTextItem("", 0, 0, 0), "next\nparagraph");
    pane.format();
    // Shown: "first" LS "second" TAB "a" LS "third" PS "next" LS "paragraph"
    struct Case
    {
        int from, to;
        QString expected;
    };
    const Case cases[] = {
        {2, 9, "rst\r\nsec"},
        {6, 14, "second\ta"},
        {0, 5, "first"},
        {5, 6, "\r\n"},
        {16, 23, "hird\r\nne"},
        {21, 32, "next\nparagr"},
        {3, 3, ""},
    };
    for (const Case& c : cases) {
        select(pane, c.from, c.to);
        EXPECT_EQ(pane.getSelectedText(), c.expected) << c.from << "-" << c.to;
        select(pane, c.to, c.from);
        EXPECT_EQ(pane.getSelectedText(), c.expected) << "backwards " << c.from;
    }

    // Typed text is part of the selection at once; clear drops the selection.
    pane.moveCursor(QTextCursor::End);
    QTest::keyClicks(&pane, "!");
    select(pane, 29, 36);
    EXPECT_EQ(pane.getSelectedText(), "agraph!");
    pane.clear();
    EXPECT_EQ(pane.getSelectedText(), "");
}

TEST(PaneWidget, FontsAndViewPositionAfterFormatAndReformat)
{
    PaneStyles styles;
    ViewPane pane(styles);
    pane.resize(300, 120);
    EXPECT_EQ(pane.font().family(), "Tahoma");
    EXPECT_EQ(pane.font().pointSize(), 14);

    QStringList lines;
    for (int i = 0; i < 200; ++i) {
        lines << QString("line %1").arg(i);
    }
    fill(pane, lines);
    pane.verticalScrollBar()->setValue(50);
    styles.textStyle(0).fontName = "Arial";
    pane.reformat();
    EXPECT_EQ(pane.font().family(), "Arial");
    EXPECT_EQ(pane.verticalScrollBar()->value(), 50);
    pane.format();
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
}

// The pane's font reaches its document once the pane is painted, typed into or filled, without
// touching what the document holds.
TEST(PaneWidget, TheDocumentTakesThePaneFontWhenShownTypedIntoOrFilled)
{
    const struct
    {
        const char* name;
        std::function<void(EditPane&)> use;
        QString model;
        int firstStyle;
    } cases[] = {
        {"shown",
            [](EditPane& pane) {
                pane.show();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
                QTest::qWait(0);
            },
            "", 0},
        {"typed",
            [](EditPane& pane) {
                QTest::keyClicks(&pane, "ab");
                QCoreApplication::processEvents();
            },
            "P:ab", 0},
        {"filled",
            [](EditPane& pane) {
                pane.addTextItem("heading", 1, 0, 0);
                pane.format();
            },
            "P:heading", 1},
    };
    for (const auto& c : cases) {
        PaneStyles styles;
        styles.textStyle(0).sizePoints = 20;
        EditPane pane(styles);
        c.use(pane);
        EXPECT_EQ(pane.document()->defaultFont(), pane.font()) << c.name;
        EXPECT_EQ(pane.document()->defaultFont().pointSize(), 20) << c.name;
        EXPECT_EQ(describe(pane.model()), c.model) << c.name;
        if (pane.itemCount() > 0) {
            EXPECT_EQ(pane.model().item(0).styleNo, c.firstStyle) << c.name;
        }
    }
}

TEST(PaneWidget, WordsEndAtThePaneDelimiters)
{
    PaneStyles styles;
    EditPane input(styles);
    ViewPane output(styles);
    struct Case
    {
        Pane& pane;
        QString text;
        int clickAt;
        QString word;
    };
    const Case cases[] = {
        {input, "abc-def ghi", 1, "abc"},
        {input, "x=(value)", 4, "value"},
        {input, "it's fine", 1, "it's"},
        {output, QString::fromUtf8("say “quoted” word"), 6, "quoted"},
        {output, QString::fromUtf8("non\u00A0break"), 5, "break"},
        {input, QString::fromUtf8("say “quoted”"), 6, QString::fromUtf8("“quoted”")},
        // Devanagari punctuation ends words in both panes.
        {input, QString::fromUtf8("ते घर आहे। ते"), 7, QString::fromUtf8("आहे")},
        {output, QString::fromUtf8("आहे॥"), 1, QString::fromUtf8("आहे")},
        {input, QString::fromUtf8("डॉ॰ नाव"), 1, QString::fromUtf8("डॉ")},
    };
    for (const Case& c : cases) {
        fill(c.pane, {c.text});
        c.pane.resize(400, 100);
        QTextCursor at = c.pane.textCursor();
        at.setPosition(c.clickAt);
        const QPoint point = c.pane.cursorRect(at).center();
        QTest::mouseDClick(c.pane.viewport(), Qt::LeftButton, {}, point);
        EXPECT_EQ(c.pane.getSelectedText(), c.word) << c.text.toStdString();
    }

    fill(input, {"one, two"});
    QTest::keyClick(&input, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(input.textCursor().position(), 5);
    QTest::keyClick(&input, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(input.getSelectedText(), "one, ");

    fill(input, {QString::fromUtf8("आहे।ते")});
    QTest::keyClick(&input, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(input.getSelectedText(), QString::fromUtf8("आहे।"));
}

TEST(PaneWidget, RightClickDropsTheSelectionAndAsksTheWindowForItsMenu)
{
    PaneStyles styles;
    ViewPane pane(styles);
    pane.resize(300, 100);
    fill(pane, {"some text"});
    select(pane, 0, 4);
    QTest::mousePress(pane.viewport(), Qt::RightButton, {}, QPoint(200, 50));
    EXPECT_EQ(pane.getSelectedText(), "");

    QSignalSpy popups(&pane, &Pane::contextPopup);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(7, 9), QPoint(7, 9));
    QCoreApplication::sendEvent(pane.viewport(), &event);
    ASSERT_EQ(popups.count(), 1);
    EXPECT_EQ(popups.at(0).at(0).toPoint(), QPoint(7, 9));
}

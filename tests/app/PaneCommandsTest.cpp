// Commands that move text between the panes and the clipboard.
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QMenu>

namespace {

class PaneCommandsTest : public PaneFormFixture
{
protected:
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    static QStringList itemsOf(const Pane& pane)
    {
        QStringList items;
        for (int i = 0; i < pane.itemCount(); ++i) {
            items << pane.getItemText(i);
        }
        return items;
    }
};

} // namespace

TEST_F(PaneCommandsTest, CopyTakesTheTrimmedPaneAndPasteSplitsAtCrLf)
{
    setPaneText(*input, "\r\n  first line\r\nsecond line \r\n\r\n");
    click("btnCopy");
    // The clipboard takes LF line ends; the window keeps the panes' CR LF.
    EXPECT_EQ(clipboard(), "first line\nsecond line");
    EXPECT_EQ(m_form->lastClipboardText(), "first line\r\nsecond line");

    click("btnCopy2");
    EXPECT_EQ(clipboard(), "") << "copy from an empty pane empties the clipboard";

    // Lines on the clipboard may end in CR LF, LF or CR.
    const struct
    {
        QString clipboard;
        QStringList items;
        QString source;
    } pastes[] = {
        {"one\ntwo\nthree", {"one", "two", "three"}, "one\r\ntwo\r\nthree"},
        {"one\rtwo\r\n\nthree\n", {"one", "two", "", "three"}, "one\r\ntwo\r\n\r\nthree\r\n"},
        {"one\r\ntwo\r\n", {"one", "two"}, "one\r\ntwo\r\n"},
        {"one\r\ntwo\r\n\r\n", {"one", "two", ""}, "one\r\ntwo\r\n\r\n"},
        {"", {}, ""},
    };
    for (const auto& p : pastes) {
        setClipboard(p.clipboard);
        click("btnPaste");
        EXPECT_EQ(itemsOf(*input), p.items) << p.clipboard.toStdString();
        EXPECT_EQ(m_form->lastSourceText(), p.source);
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(PaneCommandsTest, PasteIntoTheOutputPaneIgnoresAnEmptyClipboard)
{
    setClipboard("result");
    click("btnPaste2");
    EXPECT_EQ(itemsOf(*output), QStringList {"result"});
    EXPECT_EQ(m_form->lastTargetText(), "result");

    setClipboard("");
    click("btnPaste2");
    EXPECT_EQ(itemsOf(*output), QStringList {"result"});
    EXPECT_EQ(m_form->lastTargetText(), "result");
    EXPECT_EQ(m_form->lastSourceText(), "");
}

TEST_F(PaneCommandsTest, ClearAndSwapActOnTheButtonsPane)
{
    setPaneText(*input, "  source \r\n");
    click("btnSwap");
    EXPECT_EQ(itemsOf(*input), QStringList {});
    EXPECT_EQ(itemsOf(*output), QStringList {"source"});

    setPaneText(*input, "left");
    click("btnSwap");
    EXPECT_EQ(itemsOf(*input), QStringList {"source"});
    EXPECT_EQ(itemsOf(*output), QStringList {"left"});

    setClipboard("kept");
    click("btnClear2");
    EXPECT_EQ(output->itemCount(), 0);
    EXPECT_EQ(itemsOf(*input), QStringList {"source"});
    click("btnClear");
    EXPECT_EQ(input->itemCount(), 0);
    EXPECT_EQ(clipboard(), "kept");
}

TEST_F(PaneCommandsTest, ContextMenuActsOnThePaneItWasOpenedOn)
{
    setPaneText(*input, "in");
    setPaneText(*output, "out");
    input->setFocus();

    contextCommand(output, "Clear1");
    EXPECT_EQ(output->itemCount(), 0);
    EXPECT_EQ(itemsOf(*input), QStringList {"in"});

    setPaneText(*output, " out \r\n");
    contextCommand(output, "Cut1");
    EXPECT_EQ(output->itemCount(), 0) << "cut also empties the read-only pane";
    EXPECT_EQ(clipboard(), "out");

    contextCommand(input, "Copy1");
    EXPECT_EQ(clipboard(), "in");

    setClipboard("");
    contextCommand(output, "Paste1");
    EXPECT_EQ(output->itemCount(), 0);
    contextCommand(input, "Paste1");
    EXPECT_EQ(input->itemCount(), 0) << "an empty clipboard empties the input pane";
}

TEST_F(PaneCommandsTest, CopyOfALoadedTabGivesThreeLines)
{
    QFile file(m_folder.filePath("tab.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a\tb");
    file.close();
    input->loadTextFile(file.fileName(), 0, 0, true);
    click("btnCopy");
    EXPECT_EQ(clipboard(), "a\n\nb");
}

TEST_F(PaneCommandsTest, AutomaticPasteSkipsEmptyTextAndTheWindowsOwnResult)
{
    writeSettings("[General]\r\nAutoPaste=1\r\n");
    m_form->refreshSettings();
    setPaneText(*input, "typed");

    setClipboard("");
    m_form->formActivate();
    EXPECT_EQ(itemsOf(*input), QStringList {"typed"});

    setClipboard("pasted result");
    click("btnPaste2");
    m_form->formActivate();
    EXPECT_EQ(itemsOf(*input), QStringList {"typed"})
        << "the window's own result is not pasted back";

    setClipboard("new text\r\nline two");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_form.get(), &activate);
    EXPECT_EQ(itemsOf(*input), QStringList({"new text", "line two"}));
    EXPECT_EQ(m_form->lastSourceText(), "new text\r\nline two");
}

TEST_F(PaneCommandsTest, AutomaticPasteReportsAnOverlongLineOnlyOnce)
{
    writeSettings("[General]\r\nAutoPaste=1\r\n");
    m_form->refreshSettings();
    setClipboard(QString(65536, QChar('x')));
    // Closing the report's box activates the window again.
    QEvent activate(QEvent::WindowActivate);
    for (int i = 0; i < 2; ++i) {
        QApplication::sendEvent(m_form.get(), &activate);
    }
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Line too long.", 1}}));

    setClipboard("next text");
    QApplication::sendEvent(m_form.get(), &activate);
    EXPECT_EQ(itemsOf(*input), QStringList {"next text"});
}

TEST_F(PaneCommandsTest, OverlongLineIsReportedAndLeavesThePaneCleared)
{
    setPaneText(*input, "old");
    setClipboard("short\r\n" + QString(65536, QChar('x')));
    click("btnPaste");
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Line too long.", 1}}));
    EXPECT_EQ(input->itemCount(), 0);
    // The pane shows that it is empty, and what the user types next is its text.
    EXPECT_EQ(input->toPlainText(), "");
    QTest::keyClicks(input, "typed");
    EXPECT_EQ(getPaneText(*input), "typed");
}

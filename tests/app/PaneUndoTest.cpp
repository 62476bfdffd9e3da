// Every command that changes a pane is one step of that pane's undo history, and the automatic
// paste brings only text that is new on the clipboard.
#include "FileDialogs.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QMenu>

namespace {

class PaneUndoTest : public PaneFormFixture
{
public:
    void activate()
    {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(m_form.get(), &activation);
    }

    static void undo(Pane* pane) { QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier); }
    static void redo(Pane* pane)
    {
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
};

TEST_F(PaneUndoTest, EachPaneCommandIsOneStepInItsPane)
{
    const QString file = m_folder.filePath("in.txt");
    {
        QFile text(file);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("from a file");
    }
    const struct
    {
        const char* name;
        bool inOutput; // the command changes the output pane
        std::function<void(PaneUndoTest&)> command;
        QString after;
    } cases[] = {
        {"paste", false,
            [](PaneUndoTest& t) {
                setClipboard("pasted");
                t.click("btnPaste");
            },
            "pasted"},
        {"clear", false, [](PaneUndoTest& t) { t.click("btnClear"); }, ""},
        {"cut", false, [](PaneUndoTest& t) { t.contextCommand(t.input, "Cut1"); }, ""},
        {"swap, input side", false, [](PaneUndoTest& t) { t.click("btnSwap"); }, "before"},
        {"swap, output side", true, [](PaneUndoTest& t) { t.click("btnSwap"); }, "typed"},
        {"open", false,
            [&file](PaneUndoTest& t) {
                FileDialogs::setNextFileName(file);
                t.click("btnOpen");
            },
            "typed\nfrom a file"},
        {"paste into the output pane", true,
            [](PaneUndoTest& t) {
                setClipboard("pasted");
                t.click("btnPaste2");
            },
            "pasted"},
        {"clear the output pane", true, [](PaneUndoTest& t) { t.click("btnClear2"); }, ""},
        {"cut from the output pane", true,
            [](PaneUndoTest& t) { t.contextCommand(t.output, "Cut1"); }, ""},
    };
    for (const auto& test : cases) {
        setPaneText(*output, "before");
        setPaneText(*input, "");
        input->setFocus();
        QTest::keyClicks(input, "typed");
        Pane* pane = test.inOutput ? output : input;
        const QString before = pane->toPlainText();

        test.command(*this);
        EXPECT_EQ(pane->toPlainText(), test.after) << test.name;
        undo(pane);
        EXPECT_EQ(pane->toPlainText(), before) << test.name;
        EXPECT_EQ(getPaneText(*pane), before) << test.name << ": the commands see the undone text";
        redo(pane);
        EXPECT_EQ(pane->toPlainText(), test.after) << test.name;
        // The typing before the command stays in the history beneath it.
        undo(input);
        undo(input);
        EXPECT_EQ(input->toPlainText(), "") << test.name;
    }
    EXPECT_TRUE(output->isReadOnly());
    QTest::keyClicks(output, "x");
    EXPECT_EQ(output->toPlainText(), "") << "the output pane takes no typing";
}

TEST_F(PaneUndoTest, AutomaticPasteBringsOnlyNewClipboardTextAndCanBeUndone)
{
    writeSettings("[General]\r\nAutoPaste=1\r\n");
    setClipboard("from elsewhere");
    m_form->refreshSettings();
    activate();
    EXPECT_EQ(input->toPlainText(), "from elsewhere");

    // Typing, then activations with the same clipboard (a dialog, a message box, another
    // program) keep what was typed.
    input->setFocus();
    QTest::keyClick(input, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(input, " and typed");
    for (int i = 0; i < 3; ++i) {
        activate();
    }
    EXPECT_EQ(input->toPlainText(), "from elsewhere and typed");

    // The window's own copy is no new text either.
    QTest::mouseClick(control<QAbstractButton>("btnCopy"), Qt::LeftButton);
    QTest::keyClicks(input, "!");
    activate();
    EXPECT_EQ(input->toPlainText(), "from elsewhere and typed!");

    // New text is pasted once, and the paste is one undo step.
    setClipboard("new one\nline two");
    activate();
    EXPECT_EQ(input->toPlainText(), "new one\nline two");
    undo(input);
    EXPECT_EQ(input->toPlainText(), "from elsewhere and typed!");
    activate();
    EXPECT_EQ(input->toPlainText(), "from elsewhere and typed!");
}

TEST_F(PaneUndoTest, PasteButtonReportsAnOverlongLineOnceWithAutomaticPasteOn)
{
    writeSettings("[General]\r\nAutoPaste=1\r\n");
    m_form->refreshSettings();
    activate();
    setClipboard(QString(65536, QChar('x')));
    QTest::mouseClick(control<QAbstractButton>("btnPaste"), Qt::LeftButton);
    // Closing the report's box activates the window again.
    activate();
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Line too long.", 1}}));
}

} // namespace

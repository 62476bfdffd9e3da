// The main window from the keyboard alone: each command's shortcut, Tab and Ctrl+Tab through the
// panes and buttons, and Enter or Space on a focused button.
#include "FakeTranslationService.h"
#include "FileDialogs.h"
#include "MainFormFixture.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "PrintCommands.h"
#include "TfrmOptions.h"

#include <QDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>

namespace {

class KeyboardTest : public PaneFormFixture
{
protected:
    void SetUp() override
    {
        PanePrint::setPrinterFactory([this] {
            ++m_printed;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(m_printFolder.filePath("out.pdf"));
            return printer;
        });
        TfrmOptions::setModalRunner([this](TfrmOptions&) { ++m_optionsShown; });
        PrintCommands::setModalRunner([this](QDialog& dialog) {
            m_printDialogs << dialog.metaObject()->className();
            return int(QDialog::Rejected);
        });
        m_service.translateEveryRequest();
        MainFormSetup setup;
        setup.serviceBaseAddress = m_service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        open(setup);
        input = control<Pane>("E1");
        output = control<Pane>("E2");
    }

    void TearDown() override
    {
        PanePrint::setPrinterFactory({});
        TfrmOptions::setModalRunner({});
        PrintCommands::setModalRunner({});
        FileDialogs::setNextFileName(QString());
        PaneFormFixture::TearDown();
    }

public:
    using MainFormFixture::control;
    using MainFormFixture::m_form;

    // Lets the GUI run until a translation started by a key has ended.
    void finishTranslation() { QTRY_VERIFY_WITH_TIMEOUT(!m_form->translationRunning(), 20000); }

protected:
    // The names of the focus chain from the focused widget on, as Tab walks it.
    QStringList tabWalk(QWidget* from, int steps, Qt::KeyboardModifiers first)
    {
        from->setFocus();
        QStringList names;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, first);
        for (int i = 0; i < steps; ++i) {
            names << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    }

public:
    FakeTranslationService m_service;
    QTemporaryDir m_printFolder;
    int m_printed = 0;
    int m_optionsShown = 0;
    QStringList m_printDialogs;
};

} // namespace

TEST_F(KeyboardTest, EachShortcutRunsItsCommandFromEitherPane)
{
    const struct
    {
        const char* name;
        QKeySequence keys;
        std::function<void(KeyboardTest&)> check;
    } cases[] = {
        {"Ctrl+Enter translates", QKeySequence(Qt::CTRL | Qt::Key_Return),
            [](KeyboardTest& t) {
                t.finishTranslation();
                EXPECT_EQ(getPaneText(*t.output), "[mr] " + getPaneText(*t.input));
            }},
        {"Ctrl+O opens", QKeySequence(Qt::CTRL | Qt::Key_O),
            [](KeyboardTest&) { EXPECT_EQ(FileDialogs::askedCount(), 1); }},
        {"Ctrl+S saves", QKeySequence(Qt::CTRL | Qt::Key_S),
            [](KeyboardTest&) { EXPECT_EQ(FileDialogs::askedCount(), 1); }},
        {"Ctrl+P opens the print dialog", QKeySequence(Qt::CTRL | Qt::Key_P),
            [](KeyboardTest& t) { EXPECT_EQ(t.m_printDialogs, QStringList {"QPrintDialog"}); }},
        {"Ctrl+Shift+S swaps", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            [](KeyboardTest& t) {
                EXPECT_EQ(getPaneText(*t.input), "output text");
                EXPECT_TRUE(getPaneText(*t.output).startsWith("input text"));
            }},
        {"Ctrl+Shift+C copies the translation", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
            [](KeyboardTest&) { EXPECT_EQ(QGuiApplication::clipboard()->text(), "output text"); }},
        {"Ctrl+L clears the input", QKeySequence(Qt::CTRL | Qt::Key_L),
            [](KeyboardTest& t) {
                EXPECT_EQ(getPaneText(*t.input), "");
                EXPECT_EQ(getPaneText(*t.output), "output text");
            }},
        {"Ctrl+, opens Options", QKeySequence(Qt::CTRL | Qt::Key_Comma),
            [](KeyboardTest& t) { EXPECT_EQ(t.m_optionsShown, 1); }},
        {"F1 opens the Help menu", QKeySequence(Qt::Key_F1),
            [](KeyboardTest& t) {
                auto* menu = t.control<QMenu>("pmHelp");
                EXPECT_TRUE(menu->isVisible());
                menu->hide();
            }},
        {"Ctrl+Q quits", QKeySequence(Qt::CTRL | Qt::Key_Q),
            [](KeyboardTest& t) {
                EXPECT_FALSE(t.m_form->isVisible());
                t.m_form->show();
            }},
    };
    for (const char* paneName : {"E1", "E2"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " in " + paneName);
            // Each round its own text: the same text again would not be sent again.
            const QString text = QStringLiteral("input text in ") + paneName;
            setPaneText(*input, text);
            setPaneText(*output, "output text");
            QGuiApplication::clipboard()->setText("clipboard");
            m_printed = 0;
            m_printDialogs.clear();
            m_optionsShown = 0;
            FileDialogs::setNextFileName(QString());
            const int asked = FileDialogs::askedCount();
            m_form->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
            auto* pane = control<Pane>(paneName);
            pane->setFocus();
            const QKeyCombination key = c.keys[0];
            QTest::keyClick(pane, key.key(), key.keyboardModifiers());
            QApplication::processEvents();
            if (c.keys == QKeySequence(Qt::CTRL | Qt::Key_O)
                || c.keys == QKeySequence(Qt::CTRL | Qt::Key_S)) {
                EXPECT_EQ(FileDialogs::askedCount() - asked, 1);
            } else {
                c.check(*this);
            }
            finishTranslation();
        }
    }
}

TEST_F(KeyboardTest, TabWalksEachPaneAndItsButtonsAndCtrlTabLeavesAPane)
{
    // Tab itself types a tab in a pane.
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_EQ(input->toPlainText(), "\t");

    QStringList expected;
    for (const char* name : {"btnRomanTyping", "btnSpeak", "btnOpen", "btnClear", "btnSave",
             "btnCopy", "btnPaste", "btnSwap", "E2"}) {
        // A disabled button (no voice, no typing tables here) is passed over.
        if (control(name)->isEnabled()) {
            expected << name;
        }
    }
    const QStringList fromInput
        = tabWalk(input, static_cast<int>(expected.size()), Qt::ControlModifier);
    EXPECT_EQ(fromInput, expected);

    // From the output pane: its buttons, the direction and the two push buttons, back to the input.
    expected.clear();
    for (const char* name : {"btnRoman", "btnSpeak2", "btnClear2", "btnSave2", "btnCopy2",
             "btnPaste2", "btnPrint", "rbEngToChn", "btnHelp", "btnTrans", "E1"}) {
        if (control(name)->isEnabled() && control(name)->isVisible()) {
            expected << name;
        }
    }
    EXPECT_EQ(tabWalk(output, static_cast<int>(expected.size()), Qt::ControlModifier), expected);

    // Ctrl+Shift+Tab leaves a pane backwards.
    output->setFocus();
    QTest::keyClick(output, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "btnSwap");
}

TEST_F(KeyboardTest, EnterOrSpaceOnAFocusedButtonPressesThatButtonAlone)
{
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>()) {
        if ((button->focusPolicy() & Qt::TabFocus) && button->isEnabled() && button->isVisible()
            && !qobject_cast<QRadioButton*>(button)) {
            buttons << button;
        }
    }
    ASSERT_GE(buttons.size(), 14);
    for (QAbstractButton* button : buttons) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            SCOPED_TRACE(
                button->objectName().toStdString() + (key == Qt::Key_Space ? " Space" : " Enter"));
            setPaneText(*input, "input text");
            FileDialogs::setNextFileName(QString());
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            QSignalSpy translated(control<QAbstractButton>("btnTrans"), &QAbstractButton::clicked);
            button->setFocus();
            QTest::keyClick(button, key);
            EXPECT_EQ(clicked.size(), 1);
            if (button->objectName() != "btnTrans") {
                EXPECT_EQ(translated.size(), 0);
            }
            finishTranslation();
            control<QMenu>("pmHelp")->hide();
        }
    }
}

TEST_F(KeyboardTest, TheKeyboardShortcutsListNamesEachCommandInTheInterfaceLanguage)
{
    control<QMenu>("pmHelp")->findChild<QAction*>("miKeys")->trigger();
    auto* list = m_form->findChild<QDialog*>("frmKeys");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "Keyboard shortcuts");
    auto* table = list->findChild<QTableWidget*>("tblKeys");
    std::map<QString, QString> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        rows[table->item(row, 0)->text()] = table->item(row, 1)->text();
    }
    EXPECT_EQ(rows["Ctrl+Return"], "Translate");
    EXPECT_EQ(rows["Ctrl+O"], "Open");
    EXPECT_EQ(rows["Ctrl+Shift+S"], "Swap");
    EXPECT_EQ(rows["Ctrl+,"], "Options");
    EXPECT_EQ(rows["F1"], "Help");
    EXPECT_EQ(rows["Ctrl+Q"], "Quit");
    EXPECT_EQ(rows["Ctrl+H"], "History");
    list->close();
}

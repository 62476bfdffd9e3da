// The translation history in the main window: recording, re-use, asking again, the History window
// and stepping through past translations, with a local stand-in for the translation service.
#include "FakeTranslationService.h"
#include "FileDialogs.h"
#include "HistoryStore.h"
#include "HistoryWindow.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <algorithm>

namespace {

class HistoryTest : public MainFormFixture
{
protected:
    void openWindow(const QByteArray& settings = {})
    {
        if (!settings.isEmpty()) {
            writeSettings(settings);
        }
        MainFormSetup setup;
        setup.serviceBaseAddress = service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        // Waits before a retry pass in a moment here.
        setup.retrySecond = std::chrono::milliseconds(1);
        open(setup);
        input = control<Pane>("E1");
        output = control<Pane>("E2");
        translate = control<QAbstractButton>("btnTrans");
    }

    // Translates the input pane's text; the Shift key asks the service past the history.
    void translateText(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        setPaneText(*input, text);
        QTest::mouseClick(translate, Qt::LeftButton, modifiers);
        finish();
    }

    // Lets the GUI run until a translation in flight has ended.
    void finish()
    {
        QDeadlineTimer deadline(20000);
        while (m_form->translationRunning() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_FALSE(m_form->translationRunning());
    }

    QString shown() const { return getPaneText(*output); }
    QString statusText() const { return control<QStatusBar>("Bar")->currentMessage(); }

    // Entries put into the history file before the window opens it, oldest first.
    void prefill(const std::vector<std::tuple<std::u16string, std::u16string, bool>>& entries)
    {
        HistoryStore store(historyPath());
        for (const auto& [source, translation, english] : entries) {
            store.record(source, translation, english ? "en" : "mr", english ? "mr" : "en");
        }
    }

    HistoryWindow* pressCtrlH()
    {
        QTest::keyClick(input, Qt::Key_H, Qt::ControlModifier);
        auto* window = m_form->findChild<HistoryWindow*>();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window && window->isVisible());
        return window;
    }

    // Marathi reaches a widget through the input method, one committed character at a time.
    static void typeThroughInputMethod(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            QInputMethodEvent event;
            event.setCommitString(c);
            QApplication::sendEvent(widget, &event);
        }
    }

    static QStringList rows(HistoryWindow& window)
    {
        QStringList texts;
        auto* list = window.findChild<QTreeWidget*>("lvHistory");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            texts << list->topLevelItem(i)->text(2);
        }
        return texts;
    }

    FakeTranslationService service;
    Pane* input = nullptr;
    Pane* output = nullptr;
    QAbstractButton* translate = nullptr;
};

} // namespace

TEST_F(HistoryTest, RepeatComesFromTheHistoryUntilShiftAsksTheServiceAgain)
{
    // The same English text goes both ways here, so the direction must not follow the script.
    openWindow("[General]\r\nAutoDirection=0\r\n");
    service.addTranslation("Good morning.", "सुप्रभात.");
    service.answerTranslation("Good morning.");
    translateText("Good morning.");
    EXPECT_EQ(shown(), "सुप्रभात.");
    EXPECT_EQ(service.requests().size(), 1u);

    // The same text again: no request, the stored translation, and a word in the status bar.
    setPaneText(*output, "");
    translateText("Good morning.");
    EXPECT_EQ(service.requests().size(), 1u);
    EXPECT_EQ(shown(), "सुप्रभात.");
    EXPECT_TRUE(statusText().contains("from the history")) << statusText().toStdString();
    EXPECT_EQ(m_form->focusWidget(), output);

    // The other direction is another text.
    QTest::mouseClick(control<QRadioButton>("rbChnToEng"), Qt::LeftButton);
    service.answerTranslation("Good morning.", "mr", "en");
    translateText("Good morning.");
    EXPECT_EQ(service.requests().size(), 2u);
    QTest::mouseClick(control<QRadioButton>("rbEngToChn"), Qt::LeftButton);

    // Shift+click asks the service and replaces the stored translation.
    service.addTranslation("Good morning.", "शुभ सकाळ.");
    service.answerTranslation("Good morning.");
    translateText("Good morning.", Qt::ShiftModifier);
    EXPECT_EQ(service.requests().size(), 3u);
    EXPECT_EQ(shown(), "शुभ सकाळ.");
    EXPECT_FALSE(statusText().contains("from the history"));
    translateText("Good morning.");
    EXPECT_EQ(service.requests().size(), 3u);
    EXPECT_EQ(shown(), "शुभ सकाळ.");

    // So does Alt+Shift+T, "Translate again".
    service.answerTranslation("Good morning.");
    QTest::keyClick(input, Qt::Key_T, Qt::AltModifier | Qt::ShiftModifier);
    finish();
    EXPECT_EQ(service.requests().size(), 4u);

    HistoryStore store(historyPath());
    const auto entry = store.find(u"Good morning.", "en", "mr");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->translation, u"शुभ सकाळ.");
    EXPECT_EQ(store.count(), 2u);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(HistoryTest, FailuresAndEmptyAnswersAreNeverRecorded)
{
    openWindow();
    service.answerStatus(403, "Forbidden");
    translateText("hello");
    service.closeConnection();
    translateText("hello");
    // Nothing was stored, so this asks the service too.
    service.answerTranslation("hello");
    translateText("hello");
    EXPECT_EQ(service.requests().size(), 3u);
    EXPECT_EQ(shown(), "[mr] hello");

    service.addTranslation("silence", "");
    service.answerTranslation("silence");
    translateText("silence");
    service.answerTranslation("silence");
    translateText("silence");
    EXPECT_EQ(service.requests().size(), 5u);

    HistoryStore store(historyPath());
    EXPECT_EQ(store.count(), 1u);
    EXPECT_TRUE(store.find(u"hello", "en", "mr"));
}

TEST_F(HistoryTest, SettingsTurnRecordingAndReuseOffAndLimitTheEntries)
{
    const struct
    {
        const char* settings;
        std::vector<const char*> texts;
        std::size_t requests;
        std::size_t entries;
    } cases[] = {
        {"[History]\r\nEnabled=0\r\n", {"one", "one"}, 2, 0},
        {"[History]\r\nReuse=0\r\n", {"one", "one"}, 2, 1},
        // "two" pushes "one" out, so "one" goes to the service again.
        {"[History]\r\nLimit=1\r\n", {"one", "two", "one"}, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        for (const char* suffix : {"", "-wal", "-shm"}) {
            std::filesystem::remove(historyPath() + suffix);
        }
        openWindow(c.settings);
        const std::size_t before = service.requests().size();
        for (const char* text : c.texts) {
            service.answerTranslation(text);
            translateText(text);
        }
        EXPECT_EQ(service.requests().size() - before, c.requests);
        m_form.reset();
        HistoryStore store(historyPath());
        EXPECT_EQ(store.count(), c.entries);
    }
}

TEST_F(HistoryTest, HistoryWindowFiltersAsTheUserTypesAndOpensAnEntry)
{
    prefill({{u"Good morning", u"सुप्रभात", true}, {u"नमस्कार मित्रा", u"Hello friend", false},
        {u"Good night", u"शुभ रात्री", true}});
    openWindow();
    HistoryWindow* window = pressCtrlH();
    ASSERT_TRUE(window);
    EXPECT_EQ(rows(*window), (QStringList {"Good night", "नमस्कार मित्रा", "Good morning"}));

    auto* filter = window->findChild<QLineEdit*>("edtFilter");
    QTest::keyClicks(filter, "good");
    EXPECT_EQ(rows(*window), (QStringList {"Good night", "Good morning"}));
    QTest::keyClicks(filter, " m");
    EXPECT_EQ(rows(*window), QStringList {"Good morning"});
    filter->clear();
    typeThroughInputMethod(filter, "मित्र");
    EXPECT_EQ(rows(*window), QStringList {"नमस्कार मित्रा"});
    filter->clear();
    QTest::keyClicks(filter, "friend");
    EXPECT_EQ(rows(*window), QStringList {"नमस्कार मित्रा"});

    // Enter opens the entry into both panes and its direction.
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(getPaneText(*input), "नमस्कार मित्रा");
    EXPECT_EQ(shown(), "Hello friend");
    EXPECT_TRUE(control<QRadioButton>("rbChnToEng")->isChecked());
    EXPECT_EQ(service.requests().size(), 0u);
}

TEST_F(HistoryTest, TheWindowNamesDirectionsAndCountsInTheInterfaceLanguageAndItsDigits)
{
    prefill({{u"Good morning", u"सुप्रभात", true}});
    const struct
    {
        const char* settings;
        QString direction;
        QString count;
        QString time;
    } cases[] = {
        {"", "English → Marathi", "1 entry", "0123456789"},
        {"DisplayLanguage=Marathi", "इंग्रजी → मराठी", "१ नोंद", "०१२३४५६७८९"},
        {"DisplayLanguage=Marathi\r\n[Marathi]\r\nAsciiDigits=1", "इंग्रजी → मराठी", "1 नोंद",
            "0123456789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        openWindow(QByteArray("[General]\r\n") + c.settings + "\r\n");
        HistoryWindow* window = pressCtrlH();
        ASSERT_TRUE(window);
        const QTreeWidgetItem* row = window->findChild<QTreeWidget*>("lvHistory")->topLevelItem(0);
        EXPECT_EQ(row->text(1), c.direction);
        EXPECT_EQ(window->findChild<QLabel*>("labCount")->text(), c.count);
        // The time and the use count are written in the interface's digits alone.
        for (const QString& cell : {row->text(0), row->text(4)}) {
            EXPECT_TRUE(std::all_of(cell.begin(), cell.end(), [&](QChar ch) {
                return !ch.isDigit() || c.time.contains(ch);
            })) << cell.toStdString();
        }
        window->close();
    }
}

TEST_F(HistoryTest, DeletingAsksFirstAndExportWritesTheFilteredEntries)
{
    prefill({{u"Good morning", u"सुप्रभात", true}, {u"say \"hi\", friend", u"नमस्ते म्हणा", true},
        {u"Good night", u"शुभ रात्री", true}});
    openWindow();
    HistoryWindow* window = pressCtrlH();
    ASSERT_TRUE(window);
    auto* list = window->findChild<QTreeWidget*>("lvHistory");
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    {
        MessageCapture refuse(MessageBox::Cancel);
        QTest::keyClick(list, Qt::Key_Delete);
        ASSERT_EQ(refuse.shown.size(), 1u);
        EXPECT_EQ(refuse.shown[0].kind, 3);
    }
    EXPECT_EQ(rows(*window).size(), 3);
    MessageCapture accept(MessageBox::Ok);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(rows(*window), (QStringList {"say \"hi\", friend", "Good morning"}));

    const QString csvFile = m_folder.filePath("history.csv");
    QTest::keyClicks(window->findChild<QLineEdit*>("edtFilter"), "hi");
    FileDialogs::setNextFileName(csvFile);
    QTest::mouseClick(window->findChild<QAbstractButton*>("btnExport"), Qt::LeftButton);
    QFile csv(csvFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3); // header, one entry, nothing after the last CR LF
    EXPECT_EQ(lines[0], "Time,From,To,Text,Translation,Uses\r");
    EXPECT_TRUE(lines[1].endsWith(",en,mr,\"say \"\"hi\"\", friend\",नमस्ते म्हणा,1\r"))
        << lines[1].toStdString();

    QTest::mouseClick(window->findChild<QAbstractButton*>("btnDeleteAll"), Qt::LeftButton);
    EXPECT_TRUE(rows(*window).isEmpty());
    EXPECT_EQ(HistoryStore(historyPath()).count(), 0u);
    EXPECT_EQ(accept.shown.size(), 2u);
}

TEST_F(HistoryTest, AltLeftAndAltRightStepThroughPastTranslations)
{
    prefill({{u"first", u"पहिला", true}, {u"दुसरा", u"second", false}, {u"third", u"तिसरा", true}});
    openWindow();
    const auto press = [&](Qt::Key key) { QTest::keyClick(input, key, Qt::AltModifier); };
    const auto panes = [&] { return QStringList {getPaneText(*input), shown()}; };

    press(Qt::Key_Right);
    EXPECT_EQ(panes(), (QStringList {"", ""}));
    press(Qt::Key_Left);
    EXPECT_EQ(panes(), (QStringList {"third", "तिसरा"}));
    EXPECT_TRUE(statusText().startsWith("From the history: last used "))
        << statusText().toStdString();
    EXPECT_TRUE(statusText().endsWith(", once.")) << statusText().toStdString();
    press(Qt::Key_Left);
    EXPECT_EQ(panes(), (QStringList {"दुसरा", "second"}));
    EXPECT_TRUE(control<QRadioButton>("rbChnToEng")->isChecked());
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    EXPECT_EQ(panes(), (QStringList {"first", "पहिला"}));
    EXPECT_TRUE(control<QRadioButton>("rbEngToChn")->isChecked());
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(panes(), (QStringList {"third", "तिसरा"}));
    EXPECT_EQ(service.requests().size(), 0u);
}

TEST_F(HistoryTest, DamagedHistoryFileIsSetAsideAndTranslatingGoesOn)
{
    {
        QFile file(QString::fromLocal8Bit(historyPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(5000, 'x'));
    }
    openWindow();
    service.answerTranslation("hello");
    translateText("hello");
    EXPECT_EQ(shown(), "[mr] hello");
    ASSERT_EQ(m_messages.shown.size(), 1u);
    const QString notice = m_messages.shown[0].text;
    EXPECT_TRUE(notice.startsWith("The history file " + QString::fromLocal8Bit(historyPath())
        + " is damaged. It was renamed to "))
        << notice.toStdString();
    EXPECT_EQ(HistoryStore(historyPath()).count(), 1u);
    // The damaged file is kept beside the new one.
    EXPECT_EQ(QDir(m_folder.path()).entryList({"history.sqlite3.damaged-*"}).size(), 1);
}

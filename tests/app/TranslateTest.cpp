// The Translate command and its completion, against a local stand-in for the translation service.
#include "BusyAnimation.h"
#include "CopyrightNotice.h"
#include "FakeTranslationService.h"
#include "InterfaceLanguage.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"
#include "ProxySettings.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMovie>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

namespace {

class TranslateTest : public MainFormFixture
{
protected:
    void SetUp() override { openWindow(); }

    void openWindow(std::chrono::milliseconds idleConnectionLimit = std::chrono::minutes(1))
    {
        MainFormSetup setup;
        setup.serviceBaseAddress = service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        // A second of waiting before a retry lasts 20 ms here.
        setup.retrySecond = std::chrono::milliseconds(20);
        setup.idleConnectionLimit = idleConnectionLimit;
        open(setup);
        input = control<Pane>("E1");
        output = control<Pane>("E2");
        translate = control<QAbstractButton>("btnTrans");
    }

    void TearDown() override
    {
        EXPECT_TRUE(finish());
        setBusyBundlePathForTesting({});
        MainFormFixture::TearDown();
        InterfaceLanguage::instance().setCurrent(InterfaceLanguage::English);
    }

    // Lets the GUI run until the worker has reported back and its event was handled.
    bool finish()
    {
        QDeadlineTimer deadline(20000);
        while (m_form && m_form->translationRunning() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return !m_form || !m_form->translationRunning();
    }

    void enableAutoCopyAndPaste()
    {
        writeSettings("[General]\r\nAutoCopy=1\r\nAutoPaste=1\r\n");
        m_form->refreshSettings();
    }

    static QStringList itemsOf(const Pane& pane)
    {
        QStringList items;
        for (int i = 0; i < pane.itemCount(); ++i) {
            items << pane.getItemText(i);
        }
        return items;
    }

    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    FakeTranslationService service;
    Pane* input = nullptr;
    Pane* output = nullptr;
    QAbstractButton* translate = nullptr;
};

} // namespace

TEST_F(TranslateTest, RoundTripFillsTheOutputPaneAndEndsTheBusyState)
{
    service.addTranslation("Good morning.", "सुप्रभात.");
    service.answerTranslation("Good morning.\nHow are you?");
    setPaneText(*input, "  Good morning.\r\nHow are you?  \r\n\r\n");
    QTest::mouseClick(translate, Qt::LeftButton);

    EXPECT_EQ(itemsOf(*output), QStringList {"Translation, please wait ..."});
    EXPECT_EQ(translate->text(), "&Stop");
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_NE(control<QLabel>("ImgLoad")->movie(), nullptr);
    ASSERT_TRUE(finish());

    EXPECT_EQ(service.texts(), std::vector<std::string> {"Good morning.\r\nHow are you?"});
    EXPECT_NE(
        service.requests().at(0).find("GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q="),
        std::string::npos);
    // The service ends a segment with LF, which is no line end of the pane.
    EXPECT_EQ(itemsOf(*output), QStringList {"सुप्रभात.\n[mr] How are you?"});
    EXPECT_EQ(translate->text(), "&Translate");
    EXPECT_EQ(control<QLabel>("ImgLoad")->movie(), nullptr);
    EXPECT_TRUE(control("ImgLoad")->isVisible());
    EXPECT_EQ(m_form->focusWidget(), output);
    EXPECT_TRUE(m_messages.shown.empty());

    // The other direction swaps the two codes.
    QTest::mouseClick(control<QRadioButton>("rbChnToEng"), Qt::LeftButton);
    service.answerTranslation("घर", "mr", "en");
    setPaneText(*input, "घर");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_NE(service.requests().at(1).find("?client=gtx&sl=mr&tl=en&dt=t&q=%E0%A4%98%E0%A4%B0 "),
        std::string::npos);
    EXPECT_EQ(itemsOf(*output), QStringList {"[en] घर"});
}

// Typing into the empty input pane opens the service's connection before Translate is pressed;
// the translation goes out on it, and after a quiet spell it is closed.
TEST_F(TranslateTest, TypingOpensTheConnectionTheTranslationThenUses)
{
    m_form.reset();
    openWindow(std::chrono::milliseconds(300));
    service.translateEveryRequest();
    m_form->activateWindow();
    input->setFocus();
    QTest::keyClicks(input, "hello");
    QDeadlineTimer deadline(5000);
    while (service.connectionCount() == 0 && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(service.connectionCount(), 1);
    EXPECT_TRUE(service.requests().empty());
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(finish());
    EXPECT_EQ(itemsOf(*output), QStringList {"[mr] hello"});
    EXPECT_EQ(service.connectionCount(), 1);

    QTest::qWait(600);
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(input, "world");
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(finish());
    EXPECT_EQ(itemsOf(*output), QStringList {"[mr] world"});
    EXPECT_EQ(service.connectionCount(), 2);
}

TEST_F(TranslateTest, OnlyTheSelectionIsSentUntrimmed)
{
    service.answerTranslation(" hello ");
    setPaneText(*input, "say hello there");
    QTextCursor cursor = input->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    input->setTextCursor(cursor);
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(m_form->lastSourceText(), " hello ");
    EXPECT_EQ(service.texts(), std::vector<std::string> {" hello "});
}

TEST_F(TranslateTest, BlankInputStartsNothing)
{
    setPaneText(*output, "earlier result");
    setPaneText(*input, "  \r\n\t\r\n ");
    QTest::mouseClick(translate, Qt::LeftButton);
    EXPECT_FALSE(m_form->translationRunning());
    EXPECT_EQ(itemsOf(*output), QStringList {"earlier result"});
    EXPECT_TRUE(service.requests().empty());
}

TEST_F(TranslateTest, TwoQuickPressesStartOneWorker)
{
    service.answerTranslation("hello");
    setPaneText(*input, "hello");
    // The second press arrives while the first lets pending events run, before the button is
    // disabled: an expired timer fires inside that event pass.
    int presses = 0;
    QTimer::singleShot(1, translate, [&] {
        ++presses;
        translate->click();
    });
    QThread::msleep(20);
    QTest::mouseClick(translate, Qt::LeftButton);
    EXPECT_EQ(presses, 1);
    ASSERT_TRUE(finish());
    QTest::qWait(100);
    EXPECT_EQ(service.requests().size(), 1u);
    EXPECT_EQ(itemsOf(*output), QStringList {"[mr] hello"});
    EXPECT_TRUE(translate->isEnabled());
}

TEST_F(TranslateTest, AFailureIsReportedOnceByItsCauseAndLeavesTheClipboard)
{
    enableAutoCopyAndPaste();
    const QString refused = "The translation service refused the request. Please try again "
                            "later. (HTTP/1.1 403 Forbidden)";
    const struct
    {
        const char* name;
        QString text;
        std::function<void(FakeTranslationService&)> serve;
        QString report;
        int kind; // 0 warning, 1 error
    } cases[] = {
        {"GET refused", "hello",
            [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); }, refused, 1},
        {"POST refused", QString(1960, QChar('a')),
            [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); }, refused, 1},
        {"connection closed", "hello", [](FakeTranslationService& s) { s.closeConnection(); },
            "The connection to 127.0.0.1 was closed before the answer arrived. (Connection Closed "
            "Gracefully.)",
            0},
        {"web page", "hello",
            [](FakeTranslationService& s) {
                for (int i = 0; i < 4; ++i) {
                    s.answerWith("text/html; charset=UTF-8", "<html>unusual traffic</html>");
                }
            },
            "The translation service is limiting requests from this computer (it asks to prove "
            "that a person is asking). Please try again later. (HTTP/1.1 200 OK)",
            0},
        {"unreadable answer", "hello", [](FakeTranslationService& s) { s.answerGarbage(); },
            "The service's answer could not be read as a translation. (ERROR: Failed to parse "
            "translation results.)",
            1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.shown.clear();
        QGuiApplication::clipboard()->setText("unchanged");
        c.serve(service);
        setPaneText(*input, c.text);
        QTest::mouseClick(translate, Qt::LeftButton);
        ASSERT_TRUE(finish());
        EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{c.report, c.kind}}));
        EXPECT_EQ(itemsOf(*output), QStringList {c.report});
        EXPECT_EQ(clipboard(), "unchanged");
        EXPECT_EQ(translate->text(), "&Translate");
        EXPECT_EQ(m_form->focusWidget(), output);
    }
}

TEST_F(TranslateTest, StopAndEscEndATranslationAtOnceAndTheNextOneWorks)
{
    for (const bool byEsc : {false, true}) {
        SCOPED_TRACE(byEsc ? "Esc" : "Stop button");
        // A text of its own each round: a translated one would come from the history.
        const QString text = byEsc ? "good night" : "hello";
        service.stayMute();
        setPaneText(*input, text);
        QTest::mouseClick(translate, Qt::LeftButton);
        QTest::qWait(200);
        ASSERT_TRUE(m_form->translationRunning());
        QDeadlineTimer deadline(5000); // the mute service would hold it for 30 seconds
        if (byEsc) {
            QTest::keyClick(m_form.get(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(translate, Qt::LeftButton);
        }
        ASSERT_TRUE(finish());
        EXPECT_FALSE(deadline.hasExpired());
        EXPECT_EQ(itemsOf(*output), QStringList {"Translation stopped."});
        EXPECT_EQ(itemsOf(*input), QStringList {text});
        EXPECT_TRUE(m_messages.shown.empty());
        EXPECT_EQ(translate->text(), "&Translate");

        const int connections = service.connectionCount();
        service.answerTranslation(text.toStdString());
        QTest::mouseClick(translate, Qt::LeftButton);
        ASSERT_TRUE(finish());
        EXPECT_EQ(itemsOf(*output), QStringList {"[mr] " + text});
        EXPECT_EQ(service.connectionCount(), connections + 1);
    }
}

TEST_F(TranslateTest, TheRomanisationLineLeavesOutTheWaitLineAndTheFailure)
{
    writeSettings("[Marathi]\r\nRomanLine=1\r\n");
    m_form->refreshSettings();
    auto* line = control<QPlainTextEdit>("labRoman");
    setPaneText(*output, "घर");
    QApplication::processEvents();
    ASSERT_EQ(line->toPlainText(), "ghar");

    service.stayMute();
    setPaneText(*input, "house");
    QTest::mouseClick(translate, Qt::LeftButton);
    QTest::qWait(100);
    ASSERT_TRUE(m_form->translationRunning());
    EXPECT_EQ(line->toPlainText(), "");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    QApplication::processEvents();
    EXPECT_EQ(itemsOf(*output), QStringList {"Translation stopped."});
    EXPECT_EQ(line->toPlainText(), "");

    service.addTranslation("house", "घर");
    service.answerTranslation("house");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    QApplication::processEvents();
    EXPECT_EQ(line->toPlainText(), "ghar");
}

TEST_F(TranslateTest, ALimitedRequestCountsDownInTheStatusBarAndIsTriedAgain)
{
    QStringList notes;
    QObject::connect(control<QStatusBar>("Bar"), &QStatusBar::messageChanged,
        [&](const QString& note) { notes << note; });
    service.answerTooManyRequests("2");
    service.answerTranslation("hello");
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(itemsOf(*output), QStringList {"[mr] hello"});
    EXPECT_TRUE(notes.contains(
        "The service is limiting requests; trying again in 2 seconds (Stop cancels)."));
    EXPECT_TRUE(notes.contains(
        "The service is limiting requests; trying again in 1 second (Stop cancels)."));
    // The countdown gives way to the note that was there before.
    EXPECT_EQ(control<QStatusBar>("Bar")->currentMessage(), copyrightNotice());
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(TranslateTest, StopDuringTheCountdownCancelsTheWait)
{
    service.answerTooManyRequests("50");
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    QDeadlineTimer deadline(5000);
    while (!control<QStatusBar>("Bar")->currentMessage().startsWith("The service is limiting")
        && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    ASSERT_TRUE(finish());
    EXPECT_FALSE(deadline.hasExpired());
    EXPECT_EQ(itemsOf(*output), QStringList {"Translation stopped."});
    EXPECT_EQ(service.requests().size(), 1u);
}

TEST_F(TranslateTest, InMarathiTheCountdownProgressStopAndFailureAreMarathi)
{
    writeSettings("[General]\r\nDisplayLanguage=Marathi\r\n");
    m_form->refreshSettings();
    QStringList notes;
    QObject::connect(control<QStatusBar>("Bar"), &QStatusBar::messageChanged,
        [&](const QString& note) { notes << note; });
    QStringList progress;
    auto* bar = control<QProgressBar>("pbParts");
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int) { progress << bar->text(); });
    // Two parts; the first is limited once, then refused.
    service.answerTooManyRequests("1");
    service.answerStatus(403, "Forbidden");
    QString text;
    while (text.size() < 6000) {
        text += QStringLiteral("A line of a few words.\r\n");
    }
    setPaneText(*input, text);
    QTest::mouseClick(translate, Qt::LeftButton);
    EXPECT_EQ(translate->text(), "थांबवा (&S)");
    ASSERT_TRUE(finish());

    EXPECT_TRUE(
        notes.contains("सेवा विनंत्या मर्यादित करत आहे; १ सेकंदाने पुन्हा प्रयत्न होईल (थांबवा दाबल्यास रद्द)."))
        << notes.join(u'\n').toStdString();
    EXPECT_EQ(progress.value(0), "२ पैकी भाग १");
    const QString report = "2 पैकी भाग 1 चे भाषांतर करता आले नाही. भाषांतर सेवेने विनंती "
                           "नाकारली. कृपया नंतर पुन्हा प्रयत्न करा. (HTTP/1.1 403 Forbidden)";
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{report, 1}}));
    EXPECT_EQ(itemsOf(*output), QStringList {report});
    EXPECT_EQ(translate->text(), "भाषांतर करा (&T)");
}

TEST_F(TranslateTest, ALongTextGoesInPartsWithProgressAndComesBackLineForLine)
{
    service.setUpperCaseTranslation(true);
    service.translateEveryRequest();
    QString text;
    for (int line = 0; text.size() < 11000; ++line) {
        text += QStringLiteral("Line %1 has a few words. And a second sentence!\r\n").arg(line);
    }
    text.chop(2);
    QList<int> parts;
    auto* progress = control<QProgressBar>("pbParts");
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int part) {
        parts << part;
        EXPECT_EQ(progress->text(), QStringLiteral("part %1 of 3").arg(part));
    });
    setPaneText(*input, text);
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(parts, (QList<int> {1, 2, 3}));
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(getPaneText(*output).toStdString(), service.translationOf(text.toStdString()));
    EXPECT_EQ(service.texts().size(), 3u);
    EXPECT_EQ(service.connectionCount(), 1);
}

TEST_F(TranslateTest, TheDirectionFollowsTheScriptOfTheText)
{
    const struct
    {
        const char* name;
        const char* settings;
        QString text;
        const char* sent; // the codes of the request
        int direction; // afterwards
        QString note; // in the status bar
    } cases[] = {
        {"Marathi typed while English to Marathi", "", "नमस्कार, तुम्ही कसे आहात?", "sl=mr&tl=en", 1,
            "The text is in Devanagari: translating from Marathi into English."},
        {"English typed while Marathi to English", "Direction=1\r\n", "Good morning", "sl=en&tl=mr",
            0, "The text is in Latin letters: translating from English into Marathi."},
        {"turned off", "Direction=1\r\nAutoDirection=0\r\n", "Good morning", "sl=mr&tl=en", 1, ""},
        {"mixed text", "", "नमस्कार hello", "sl=en&tl=mr", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(QByteArray("[General]\r\n") + c.settings);
        m_form->refreshSettings();
        control<QStatusBar>("Bar")->clearMessage();
        const std::size_t before = service.requests().size();
        service.translateEveryRequest();
        setPaneText(*input, c.text);
        QTest::mouseClick(translate, Qt::LeftButton);
        ASSERT_TRUE(finish());
        ASSERT_EQ(service.requests().size(), before + 1);
        EXPECT_NE(service.requests().back().find(c.sent), std::string::npos);
        EXPECT_EQ(Params.direction, c.direction);
        EXPECT_EQ(
            control<QRadioButton>(c.direction == 0 ? "rbEngToChn" : "rbChnToEng")->isChecked(),
            true);
        EXPECT_EQ(control<QLabel>("labFromLang")->text(), c.direction == 0 ? "English" : "Marathi");
        EXPECT_NE(settingsContent().indexOf("Direction=" + QByteArray::number(c.direction)), -1);
        EXPECT_EQ(control<QStatusBar>("Bar")->currentMessage(),
            c.note.isEmpty() ? copyrightNotice() : c.note);
    }
}

TEST_F(TranslateTest, EmojiAndMarathiSurviveTheAnswer)
{
    service.addTranslation("smile", "हसा 😀");
    service.answerTranslation("smile");
    setPaneText(*input, "smile");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(itemsOf(*output), QStringList {"हसा 😀"});
}

TEST_F(TranslateTest, OverlongTranslationLineEndsTheBusyStateAndIsReported)
{
    enableAutoCopyAndPaste();
    QGuiApplication::clipboard()->setText("old");
    service.addTranslation("long", std::string(65536, 'x'));
    service.answerTranslation("long");
    setPaneText(*input, "long");
    input->setFocus();
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Line too long.", 1}}));
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_EQ(control<QLabel>("ImgLoad")->movie(), nullptr);
    EXPECT_EQ(output->itemCount(), 0);
    EXPECT_EQ(output->toPlainText(), "") << "the wait line is gone with the pane's items";
    // Neither the automatic copy nor the move of the focus follows the failure.
    EXPECT_EQ(clipboard(), "old");
    EXPECT_NE(m_form->focusWidget(), output);
}

TEST_F(TranslateTest, AutomaticCopyIsNotPastedBackButNewClipboardTextIs)
{
    enableAutoCopyAndPaste();
    service.addTranslation("one", "एक");
    service.answerTranslation("one\r\ntwo");
    setPaneText(*input, "one\r\ntwo");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(clipboard(), "एक\n[mr] two");
    EXPECT_EQ(m_form->lastTargetText(), "एक\n[mr] two");

    m_form->formActivate();
    EXPECT_EQ(itemsOf(*input), QStringList({"one", "two"}));

    QGuiApplication::clipboard()->setText("fresh text");
    m_form->formActivate();
    EXPECT_EQ(itemsOf(*input), QStringList {"fresh text"});
}

TEST_F(TranslateTest, MissingAnimationStopsTheCommandBeforeTheWorker)
{
    setBusyBundlePathForTesting(m_folder.filePath("TarnwickSys.rcc"));
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Resource LOADING not found.", 1}}));
    EXPECT_EQ(itemsOf(*output), QStringList {"Translation, please wait ..."});
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_FALSE(m_form->translationRunning());
    EXPECT_TRUE(service.requests().empty());
}

TEST_F(TranslateTest, ProxyChangesWaitForTheRunningTranslation)
{
    service.answerTranslation("hello");
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    writeSettings("[Connection]\r\nNoProxy=0\r\nAddress=proxy.lan\r\nPort=3128\r\n");
    m_form->refreshSettings();
    m_form->applyProxySettings();
    EXPECT_EQ(m_form->proxyParams().proxyServer(), "");
    ASSERT_TRUE(finish());
    EXPECT_EQ(m_form->proxyParams().proxyServer(), "proxy.lan");
    EXPECT_EQ(m_form->proxyParams().proxyPort(), 3128);
    EXPECT_EQ(itemsOf(*output), QStringList {"[mr] hello"});
}

TEST_F(TranslateTest, ProxyChangesDuringAPressThatStartsNoWorkerAreApplied)
{
    setBusyBundlePathForTesting(m_folder.filePath("TarnwickSys.rcc"));
    setPaneText(*input, "hello");
    // The Options dialog closes inside the press's event pass; then the animation is missing.
    QTimer::singleShot(1, m_form.get(), [this] {
        writeSettings("[Connection]\r\nNoProxy=0\r\nAddress=proxy.lan\r\nPort=3128\r\n");
        m_form->refreshSettings();
        m_form->applyProxySettings();
    });
    QThread::msleep(20);
    QTest::mouseClick(translate, Qt::LeftButton);
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"Resource LOADING not found.", 1}}));
    EXPECT_EQ(m_form->proxyParams().proxyServer(), "proxy.lan");
    EXPECT_EQ(m_form->proxyParams().proxyPort(), 3128);
}

TEST_F(TranslateTest, ClosingTheWindowDuringATranslationIsSafe)
{
    service.answerTranslation("hello");
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    m_form.reset();
    // The worker finishes against the client and buffer it was given, then its session goes.
    QDeadlineTimer deadline(5000);
    while (service.requests().empty() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QTest::qWait(200);
    EXPECT_EQ(service.requests().size(), 1u);
}

TEST_F(TranslateTest, UndoInTheOutputPaneGoesBackToTheTextBeforeTheTranslation)
{
    service.addTranslation("one", "एक");
    service.answerTranslation("one");
    setPaneText(*output, "earlier result");
    setPaneText(*input, "one");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    ASSERT_EQ(output->toPlainText(), "एक");
    QTest::keyClick(output, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(output->toPlainText(), "earlier result") << "the wait line is no step of its own";
    QTest::keyClick(output, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(output->toPlainText(), "एक");
}

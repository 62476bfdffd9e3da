// The Translate command and its completion, against a local stand-in for the translation service.
#include "BusyAnimation.h"
#include "FakeTranslationService.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"
#include "ProxySettings.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMovie>
#include <QRadioButton>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

namespace {

class TranslateTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormSetup setup;
        setup.serviceBaseAddress = service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
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
    EXPECT_FALSE(translate->isEnabled());
    EXPECT_NE(control<QLabel>("ImgLoad")->movie(), nullptr);
    ASSERT_TRUE(finish());

    EXPECT_EQ(service.texts(), std::vector<std::string> {"Good morning.\r\nHow are you?"});
    EXPECT_NE(
        service.requests().at(0).find("GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q="),
        std::string::npos);
    // The service ends a segment with LF, which is no line end of the pane.
    EXPECT_EQ(itemsOf(*output), QStringList {"सुप्रभात.\n[mr] How are you?"});
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_EQ(control<QLabel>("ImgLoad")->movie(), nullptr);
    EXPECT_TRUE(control("ImgLoad")->isVisible());
    EXPECT_EQ(m_form->focusWidget(), output);
    EXPECT_TRUE(m_messages.shown.empty());

    // The other direction swaps the two codes.
    QTest::mouseClick(control<QRadioButton>("rbChnToEng"), Qt::LeftButton);
    service.answerTranslation("x", "mr", "en");
    setPaneText(*input, "x");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_NE(
        service.requests().at(1).find("?client=gtx&sl=mr&tl=en&dt=t&q=x "), std::string::npos);
    EXPECT_EQ(itemsOf(*output), QStringList {"[en] x"});
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

TEST_F(TranslateTest, ForbiddenPostShowsTheEngineMessageAndLeavesTheClipboard)
{
    enableAutoCopyAndPaste();
    QGuiApplication::clipboard()->setText("unchanged");
    service.answerStatus(403, "Forbidden");
    setPaneText(*input, QString(1960, QChar('a')));
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(service.requests().at(0).rfind("POST ", 0), 0u);
    EXPECT_EQ(itemsOf(*output), QStringList {"Translate Engine disabled, Please try again later."});
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_EQ(clipboard(), "unchanged");
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_EQ(m_form->focusWidget(), output);
}

TEST_F(TranslateTest, FailedGetShowsABoxThenTheParseFailureAndEmptiesTheClipboard)
{
    enableAutoCopyAndPaste();
    QGuiApplication::clipboard()->setText("old");
    service.answerStatus(403, "Forbidden");
    setPaneText(*input, "hello");
    QTest::mouseClick(translate, Qt::LeftButton);
    ASSERT_TRUE(finish());
    EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{"HTTP/1.1 403 Forbidden", 2}}));
    EXPECT_EQ(itemsOf(*output), QStringList {"ERROR: Failed to parse translation results."});
    EXPECT_EQ(clipboard(), "");
    EXPECT_TRUE(translate->isEnabled());
    EXPECT_EQ(m_form->focusWidget(), output);
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
    EXPECT_EQ(m_form->focusWidget(), input);
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

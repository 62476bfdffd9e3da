// The translation controller alone, with no window: a view asks, the stand-in service answers,
// and the controller's reports are all the view gets.
#include "TranslationController.h"

#include "FakeTranslationService.h"
#include "Params.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TranslationControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Params = AppParams {};
        Params.historyEnabled = true;
        Params.historyReuse = true;
        Params.historyLimit = 100;
        Params.autoDirection = true;
        TranslationSetup setup;
        setup.serviceBaseAddress = service.baseAddress();
        setup.rootCertFile = FakeTranslationService::caCertFile();
        setup.historyFile = m_folder.filePath("history.sqlite3").toStdString();
        setup.retrySecond = std::chrono::milliseconds(20);
        controller = std::make_unique<TranslationController>(setup);
        using C = TranslationController;
        QObject::connect(controller.get(), &C::stateChanged,
            [this](C::State state) { states.push_back(state); });
        QObject::connect(
            controller.get(), &C::countdown, [this](int s) { countdowns.push_back(s); });
        QObject::connect(controller.get(), &C::directionChosen,
            [this](Direction direction) { chosen.push_back(direction); });
        QObject::connect(controller.get(), &C::finished,
            [this](const TranslationResult& result) { results.push_back(result); });
        QObject::connect(controller.get(), &C::failed,
            [this](const TranslationFailure& failure, const QString&) {
                failures.push_back(failure);
            });
        QObject::connect(controller.get(), &C::stopped,
            [this](
                const TranslationFailure&, const QString& partial) { stops.push_back(partial); });
    }

    bool translate(const QString& text, bool askService = false)
    {
        TranslationAsk ask;
        ask.text = text;
        ask.askService = askService;
        ask.view = &view;
        return controller->translate(ask);
    }

    bool finish()
    {
        QDeadlineTimer deadline(10000);
        while (controller->busy() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return !controller->busy();
    }

    using State = TranslationController::State;

    QTemporaryDir m_folder;
    FakeTranslationService service;
    QObject view;
    std::unique_ptr<TranslationController> controller;
    std::vector<State> states;
    std::vector<int> countdowns;
    std::vector<Direction> chosen;
    std::vector<TranslationResult> results;
    std::vector<TranslationFailure> failures;
    std::vector<QString> stops;
};

} // namespace

TEST_F(TranslationControllerTest, TranslatesThenReusesTheHistoryUntilAskedForTheService)
{
    service.answerTranslation("Good morning");
    ASSERT_TRUE(translate("Good morning"));
    EXPECT_TRUE(controller->busy());
    EXPECT_TRUE(controller->serves(&view));
    EXPECT_FALSE(translate("second text")) << "one translation at a time";
    ASSERT_TRUE(finish());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].translation, "[mr] Good morning");
    EXPECT_EQ(results[0].direction, Direction::EnglishToMarathi);
    EXPECT_FALSE(results[0].reused);
    EXPECT_EQ(states, (std::vector<State> {State::Connecting, State::Running, State::Idle}));

    // The same text again comes from the history at once, without a request.
    states.clear();
    ASSERT_TRUE(translate("Good morning"));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[1].reused);
    EXPECT_EQ(results[1].translation, "[mr] Good morning");
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(service.requests().size(), 1u);

    service.answerTranslation("Good morning");
    ASSERT_TRUE(translate("Good morning", true));
    ASSERT_TRUE(finish());
    EXPECT_EQ(service.requests().size(), 2u);
    EXPECT_FALSE(results.at(2).reused);
    EXPECT_TRUE(failures.empty());
}

TEST_F(TranslationControllerTest, ALimitedRequestCountsDownAndIsTriedAgain)
{
    service.answerTooManyRequests("2");
    service.answerTranslation("hello");
    ASSERT_TRUE(translate("hello"));
    ASSERT_TRUE(finish());
    EXPECT_EQ(countdowns, (std::vector<int> {2, 1}));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].translation, "[mr] hello");
    EXPECT_EQ(service.requests().size(), 2u);
}

TEST_F(TranslationControllerTest, StopEndsTheRequestAndNothingIsFiled)
{
    service.stayMute();
    ASSERT_TRUE(translate("hello"));
    // Stopped once the mute service holds the request, so the next request gets an answer.
    QDeadlineTimer started(5000);
    while (service.requests().empty() && !started.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(controller->state(), State::Running);
    QDeadlineTimer deadline(5000); // the mute service would hold it for 30 seconds
    controller->stop();
    EXPECT_EQ(controller->state(), State::Stopping);
    ASSERT_TRUE(finish());
    EXPECT_FALSE(deadline.hasExpired());
    EXPECT_EQ(stops, std::vector<QString> {QString()});
    EXPECT_TRUE(results.empty());
    EXPECT_TRUE(failures.empty());

    // Stopped, the text is not in the history: it goes to the service again.
    service.answerTranslation("hello");
    ASSERT_TRUE(translate("hello"));
    ASSERT_TRUE(finish());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].reused);
}

TEST_F(TranslationControllerTest, TheScriptTurnsTheDirectionBeforeTheHistoryIsAsked)
{
    service.answerTranslation("घर", "mr", "en");
    ASSERT_TRUE(translate("घर"));
    EXPECT_EQ(chosen, std::vector<Direction> {Direction::MarathiToEnglish});
    ASSERT_TRUE(finish());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].direction, Direction::MarathiToEnglish);
    EXPECT_NE(service.requests().at(0).find("sl=mr&tl=en"), std::string::npos);

    // With AutoDirection off the view's direction holds.
    Params.autoDirection = false;
    service.answerTranslation("घर");
    ASSERT_TRUE(translate("घर"));
    ASSERT_TRUE(finish());
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_NE(service.requests().at(1).find("sl=en&tl=mr"), std::string::npos);
}

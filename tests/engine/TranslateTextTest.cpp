// translateText through the real client and the worker against the fake service: waits and
// retries when the service limits requests, long texts in parts, and a stop at every stage.
#include "FakeTranslationService.h"
#include "HttpClient.h"
#include "RecordingHost.h"
#include "RequestProfile.h"
#include "StalledListener.h"
#include "TextSplitter.h"
#include "Unicode.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class TranslateTextTest : public testing::Test
{
protected:
    TranslateTextTest()
    {
        m_client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    }

    TranslationJob job(const std::u16string& text, std::chrono::milliseconds second = 1ms) const
    {
        TranslationJob job {m_service.baseAddress(), text, "en", "mr", {}};
        job.retry.secondLength = second;
        return job;
    }

    // Runs the job on a worker and waits until it has ended.
    std::vector<std::string> run(const TranslationJob& job, RecordingHost* reporter = nullptr)
    {
        RecordingHost own;
        RecordingHost& host = reporter ? *reporter : own;
        prepareRequestHeaders(m_client, job.serviceBaseAddress, false, true);
        m_cancel.reset();
        TranslationWorker::start(host, m_client, job, m_cancel, m_outcome);
        std::vector<std::string> log = host.waitForEvent();
        waitForWorkers();
        return log;
    }

    static void waitForWorkers()
    {
        for (int i = 0; i < 2000 && TranslationWorker::running() > 0; ++i) {
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_EQ(TranslationWorker::running(), 0);
    }

    // What the window's Stop does.
    void stop()
    {
        m_cancel.cancel();
        m_client.abort();
    }

    FakeTranslationService m_service;
    HttpClient m_client;
    CancelToken m_cancel;
    TranslationOutcome m_outcome;
};

// A text of many lines and sentences, some of them Marathi, about `length` code units long.
std::u16string longMixedText(std::size_t length)
{
    const std::u16string pieces[] = {u"The river was calm this morning. ",
        u"Did the boats go out? ", u"They did! ", u"नदी आज शांत होती। ", u"होड्या गेल्या॥ ",
        u"A line ends here.\r\n", u"Then an empty line follows.\r\n\r\n", u"A word "};
    std::u16string text;
    for (std::size_t i = 0; text.size() < length; ++i) {
        text += pieces[(i * 7 + i / 3) % std::size(pieces)];
    }
    return text;
}

} // namespace

TEST_F(TranslateTextTest, LimitedRequestsAreWaitedForAndTriedAgain)
{
    struct Case
    {
        const char* name;
        std::function<void(FakeTranslationService&)> refuse; // queued before the translation
        std::vector<int> waits; // the countdowns seen, in seconds
        std::optional<FailureKind> failure;
        std::size_t requests;
    };
    const auto tooMany = [](std::optional<std::string> after) {
        return [after](FakeTranslationService& s) { s.answerTooManyRequests(after); };
    };
    const Case cases[] = {
        {"429 with Retry-After", tooMany("3"), {3}, std::nullopt, 2},
        {"429 with a Retry-After date gone by: a second still",
            tooMany("Fri, 31 Dec 1999 23:59:59 GMT"), {1}, std::nullopt, 2},
        {"429 with Retry-After 0: a second still", tooMany("0"), {1}, std::nullopt, 2},
        {"429 without Retry-After: back-off from two seconds", tooMany(std::nullopt), {2},
            std::nullopt, 2},
        {"503", [](FakeTranslationService& s) { s.answerStatus(503, "Service Unavailable"); }, {2},
            std::nullopt, 2},
        {"captcha redirect", [](FakeTranslationService& s) { s.answerCaptchaRedirect(); }, {2},
            std::nullopt, 2},
        {"captcha page", [](FakeTranslationService& s) { s.answerWith("text/html", "<html/>"); },
            {2}, std::nullopt, 2},
        {"three retries, doubling, then the failure",
            [](FakeTranslationService& s) {
                for (int i = 0; i < 4; ++i) {
                    s.answerTooManyRequests();
                }
            },
            {2, 4, 8}, FailureKind::RateLimited, 4},
        {"a wait beyond the minute is not made", tooMany("61"), {}, FailureKind::RateLimited, 1},
        {"the minute counts every wait",
            [](FakeTranslationService& s) {
                s.answerTooManyRequests("40");
                s.answerTooManyRequests("30");
            },
            {40}, FailureKind::RateLimited, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTranslationService& service = m_service;
        c.refuse(service);
        service.translateEveryRequest();
        const std::size_t before = service.texts().size();
        std::vector<std::string> expected;
        for (const int wait : c.waits) {
            for (int left = wait; left > 0; --left) {
                expected.push_back("wait " + std::to_string(left));
            }
        }
        expected.push_back(c.failure ? "event: failed" : "event: done");
        EXPECT_EQ(run(job(u"hello")), expected);
        ASSERT_EQ(m_outcome.failure.has_value(), c.failure.has_value());
        if (c.failure) {
            EXPECT_EQ(m_outcome.failure->kind, *c.failure);
            EXPECT_TRUE(m_outcome.failure->isWarning());
        } else {
            EXPECT_EQ(m_outcome.translation, u"[mr] hello");
        }
        EXPECT_EQ(service.texts().size() - before, c.requests);
    }
}

TEST_F(TranslateTextTest, LongTextsGoInPartsThatJoinAsOneRequestWould)
{
    const std::u16string text = longMixedText(3 * MaxPartLength + 1234);
    m_service.setUpperCaseTranslation(true);
    m_service.translateEveryRequest();
    const std::vector<std::string> log = run(job(text));

    EXPECT_EQ(log,
        (std::vector<std::string> {
            "progress 1/4", "progress 2/4", "progress 3/4", "progress 4/4", "event: done"}));
    EXPECT_EQ(m_outcome.partCount, 4);
    EXPECT_EQ(
        Unicode::toUtf8(m_outcome.translation), m_service.translationOf(Unicode::toUtf8(text)));
    std::string sent;
    for (const std::string& part : m_service.texts()) {
        EXPECT_LE(Unicode::fromUtf8(part).size(), MaxPartLength);
        sent += part;
    }
    EXPECT_EQ(sent, Unicode::toUtf8(text));
    // One connection, so one TLS handshake, for the whole text.
    EXPECT_EQ(m_service.connectionCount(), 1);
}

TEST_F(TranslateTextTest, ANulIsSentLikeAnyOtherCharacter)
{
    using namespace std::string_literals;
    const std::u16string text = u"abc\0def ghi"s;
    m_service.translateEveryRequest();
    run(job(text));
    ASSERT_FALSE(m_outcome.failure);
    EXPECT_EQ(m_service.texts(), std::vector<std::string> {"abc\0def ghi"s});
    EXPECT_EQ(Unicode::toUtf8(m_outcome.translation), m_service.translationOf("abc\0def ghi"s));
}

TEST_F(TranslateTextTest, OneMinuteOfWaitingServesTheWholeTextNotEachPart)
{
    // Every other request is refused with a wait of 25 s: the third wait would pass the minute.
    const std::u16string text = longMixedText(3 * MaxPartLength + 10);
    const std::vector<std::u16string_view> parts = splitText(text);
    ASSERT_EQ(parts.size(), 4u);
    m_service.answerTranslation(Unicode::toUtf8(parts[0]));
    for (std::size_t i = 1; i < parts.size(); ++i) {
        m_service.answerTooManyRequests("25");
        m_service.answerTranslation(Unicode::toUtf8(parts[i]));
    }
    const std::vector<std::string> log = run(job(text));

    std::vector<std::string> expected = {"progress 1/4", "progress 2/4"};
    for (const char* next : {"progress 3/4", "progress 4/4"}) {
        for (int left = 25; left > 0; --left) {
            expected.push_back("wait " + std::to_string(left));
        }
        expected.push_back(next);
    }
    expected.push_back("event: failed");
    EXPECT_EQ(log, expected);
    ASSERT_TRUE(m_outcome.failure);
    EXPECT_EQ(m_outcome.failure->kind, FailureKind::RateLimited);
    EXPECT_EQ(m_outcome.failure->part, 4);
    EXPECT_EQ(m_service.texts().size(), 6u);
}

TEST_F(TranslateTextTest, TextsThatFitGoInOneRequestEvenWhereTheServiceRefusesIt)
{
    // The service refuses large requests; a text that fits is still sent whole, as before, and
    // the refusal is named.
    m_service.translateEveryRequest(3000);
    const std::u16string fits(MaxPartLength, u'a');
    run(job(fits));
    ASSERT_TRUE(m_outcome.failure);
    EXPECT_EQ(m_outcome.failure->kind, FailureKind::TooLarge);
    EXPECT_EQ(m_outcome.partCount, 1);
    EXPECT_EQ(m_service.texts().size(), 1u);
}

TEST_F(TranslateTextTest, APartThatFailsKeepsTheOnesBeforeAndIsNamed)
{
    const std::u16string text = longMixedText(2 * MaxPartLength + 10);
    const std::vector<std::u16string_view> parts = splitText(text);
    ASSERT_EQ(parts.size(), 3u);
    m_service.answerTranslation(Unicode::toUtf8(parts[0]));
    m_service.answerStatus(403, "Forbidden");
    const std::vector<std::string> log = run(job(text));
    EXPECT_EQ(log, (std::vector<std::string> {"progress 1/3", "progress 2/3", "event: failed"}));
    ASSERT_TRUE(m_outcome.failure);
    EXPECT_EQ(
        Unicode::toUtf8(m_outcome.translation), m_service.translationOf(Unicode::toUtf8(parts[0])));
    EXPECT_EQ(m_outcome.failure->reportText(),
        "Part 2 of 3 could not be translated. The translation service refused the request. Please "
        "try again later. (HTTP/1.1 403 Forbidden)");
}

TEST_F(TranslateTextTest, StopEndsTheWorkerAtEveryStageAndTheNextTranslationWorks)
{
    struct Case
    {
        const char* name;
        std::function<void(FakeTranslationService&)> serve;
        const char* stopAtReport; // stop when the worker reports this; else after a moment
        bool stalledConnect = false;
        std::u16string text = u"hello";
    };
    const Case cases[] = {
        {"connecting", nullptr, nullptr, true},
        {"TLS handshake", [](FakeTranslationService& s) { s.stallHandshakes(); }, nullptr},
        {"waiting for the answer", [](FakeTranslationService& s) { s.stayMute(); }, nullptr},
        {"reading the answer", [](FakeTranslationService& s) { s.answerHalfThenStall(); }, nullptr},
        {"between parts", [](FakeTranslationService& s) { s.translateEveryRequest(); },
            "progress 2/3", false, longMixedText(2 * MaxPartLength + 10)},
        {"waiting to retry", [](FakeTranslationService& s) { s.answerTooManyRequests("50"); },
            "wait 50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTranslationService service;
        std::optional<StalledListener> stalled;
        if (c.serve) {
            c.serve(service);
        }
        TranslationJob stalledJob = job(c.text, 1s);
        stalledJob.serviceBaseAddress = c.stalledConnect
            ? "https://127.0.0.1:" + std::to_string(stalled.emplace().port())
            : service.baseAddress();
        prepareRequestHeaders(m_client, stalledJob.serviceBaseAddress, false, true);
        RecordingHost host;
        Clock::time_point stopped;
        if (c.stopAtReport) {
            host.onReport([&, at = std::string(c.stopAtReport)](const std::string& report) {
                if (report == at) {
                    stopped = Clock::now();
                    stop();
                }
            });
        }
        m_cancel.reset();
        TranslationWorker::start(host, m_client, stalledJob, m_cancel, m_outcome);
        if (!c.stopAtReport) {
            std::this_thread::sleep_for(300ms);
            stopped = Clock::now();
            stop();
        }
        const std::vector<std::string> log = host.waitForEvent();
        const auto took = Clock::now() - stopped;
        EXPECT_EQ(log.back(), "event: failed");
        ASSERT_TRUE(m_outcome.failure);
        EXPECT_EQ(m_outcome.failure->kind, FailureKind::Cancelled);
        EXPECT_EQ(m_outcome.failure->reportText(), "Translation stopped.");
        // Far below every time-out that would otherwise end the wait.
        EXPECT_LT(took, 2s);
        waitForWorkers();

        // The same client goes on, on a fresh connection; where the service can still answer,
        // it is the same service.
        const bool serviceAnswers = !c.stalledConnect && std::string(c.name) != "TLS handshake";
        FakeTranslationService& next = serviceAnswers ? service : m_service;
        next.answerTranslation("again");
        TranslationJob again = job(u"again");
        again.serviceBaseAddress = next.baseAddress();
        const int beforeAgain = m_client.connectionCount();
        EXPECT_EQ(run(again), std::vector<std::string> {"event: done"});
        EXPECT_EQ(m_outcome.translation, u"[mr] again");
        EXPECT_EQ(m_client.connectionCount(), beforeAgain + 1);
    }
}

TEST_F(TranslateTextTest, ConnectingGivesUpAfterItsTimeOut)
{
    StalledListener stalled;
    TranslationJob stalledJob = job(u"hello");
    stalledJob.serviceBaseAddress = "https://127.0.0.1:" + std::to_string(stalled.port());
    m_client.setConnectTimeout(300);
    EXPECT_EQ(run(stalledJob), std::vector<std::string> {"event: failed"});
    ASSERT_TRUE(m_outcome.failure);
    EXPECT_EQ(m_outcome.failure->kind, FailureKind::TimedOut);
    EXPECT_EQ(m_outcome.failure->detail, "Socket Error # 10060\r\nConnection timed out.");
}

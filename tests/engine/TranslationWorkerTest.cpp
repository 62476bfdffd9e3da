// The worker against the fake translation service: the outcome the window reads, which event is
// posted, and one classified failure for every way the exchange can fail.
#include "FakeTranslationService.h"
#include "HttpClient.h"
#include "InterpretResult.h"
#include "RecordingHost.h"
#include "RequestProfile.h"
#include "Unicode.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

const std::u16string shortText = u"Good morning.\nHow are you?";
const std::u16string longText(1960, u'a');

struct Outcome
{
    std::vector<std::string> log;
    TranslationOutcome result;
};

Outcome translateWith(FakeTranslationService& service, const std::u16string& text,
    const std::string& address = "",
    std::chrono::milliseconds readTimeout = HttpClient::ReadTimeout)
{
    HttpClient client;
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    client.setTimeLimits(readTimeout, HttpClient::ExchangeTimeLimit);
    const std::string base = address.empty() ? service.baseAddress() : address;
    prepareRequestHeaders(client, base, false, true);
    RecordingHost host;
    CancelToken cancel;
    Outcome outcome;
    TranslationJob job {base, text, "en", "mr", {}};
    job.retry.secondLength = std::chrono::milliseconds(1);
    TranslationWorker::start(host, client, job, cancel, outcome.result);
    outcome.log = host.waitForEvent();
    return outcome;
}

} // namespace

TEST(TranslationWorkerTest, AnswersAndFailuresReachTheWindowAsTheyShould)
{
    struct Case
    {
        const char* name;
        const std::u16string& text;
        std::function<void(FakeTranslationService&)> serve;
        std::optional<FailureKind> kind; // nothing: a translation
        std::string report; // the translation, or the failure's report
    };
    const std::string post(1960, 'a');
    const Case cases[] = {
        {"GET answer", shortText,
            [](FakeTranslationService& s) { s.answerTranslation("Good morning.\nHow are you?"); },
            std::nullopt, "[mr] Good morning.\n[mr] How are you?"},
        {"POST answer", longText, [&](FakeTranslationService& s) { s.answerTranslation(post); },
            std::nullopt, "[mr] " + post},
        {"GET 403", shortText, [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); },
            FailureKind::Forbidden,
            "The translation service refused the request. Please try again later. (HTTP/1.1 403 "
            "Forbidden)"},
        {"POST 403", longText, [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); },
            FailureKind::Forbidden,
            "The translation service refused the request. Please try again later. (HTTP/1.1 403 "
            "Forbidden)"},
        {"GET 404", shortText, [](FakeTranslationService& s) { s.answerStatus(404, "Not Found"); },
            FailureKind::HttpStatus,
            "The translation service answered with an error. (HTTP/1.1 404 Not Found)"},
        {"GET closed", shortText, [](FakeTranslationService& s) { s.closeConnection(); },
            FailureKind::ConnectionClosed,
            "The connection to 127.0.0.1 was closed before the answer arrived. (Connection Closed "
            "Gracefully.)"},
        {"POST closed", longText, [](FakeTranslationService& s) { s.closeConnection(); },
            FailureKind::ConnectionClosed, ""},
        {"closed mid-answer", shortText, [](FakeTranslationService& s) { s.answerHalfThenClose(); },
            FailureKind::ConnectionClosed,
            "The connection to 127.0.0.1 was closed before the answer arrived."},
        {"garbage", shortText, [](FakeTranslationService& s) { s.answerGarbage(); },
            FailureKind::BadAnswer,
            "The service's answer could not be read as a translation. (ERROR: Failed to parse "
            "translation results.)"},
        {"empty answer", shortText,
            [](FakeTranslationService& s) { s.answerWith("application/json", ""); },
            FailureKind::BadAnswer, ""},
        {"truncated JSON", shortText,
            [](FakeTranslationService& s) { s.answerWith("application/json", "[[[\"x\",\"y\""); },
            FailureKind::BadAnswer, ""},
        {"JSON of another shape", shortText,
            [](FakeTranslationService& s) { s.answerWith("application/json", "{\"a\":[1]}"); },
            FailureKind::BadAnswer, ""},
        // Hostile answers end as a message, never as an empty translation or a huge tree.
        {"segments without text", shortText,
            [](FakeTranslationService& s) {
                s.answerWith("application/json", "[[[\"\",\"\"],[\"\",\"\"]],null,\"en\"]");
            },
            FailureKind::NoTranslation, "The service returned no translation."},
        {"more segments than the bound", shortText,
            [](FakeTranslationService& s) {
                std::string body = "[[";
                for (int i = 0; i <= MaxSegments; ++i) {
                    body += "[\"a\"],";
                }
                body.back() = ']';
                s.answerWith("application/json", body + "]");
            },
            FailureKind::BadAnswer,
            "The service's answer could not be read as a translation. (The answer holds more "
            "than 10000 segments.)"},
        {"answer over the bound", shortText,
            [](FakeTranslationService& s) {
                s.answerWith("application/json", std::string(MaxAnswerBytes + 1, ' '));
            },
            FailureKind::Other, "The translation failed. (Response body exceeds the 2 MiB limit.)"},
        {"413", shortText,
            [](FakeTranslationService& s) { s.answerStatus(413, "Request Entity Too Large"); },
            FailureKind::TooLarge,
            "The text is too long for one request to the service. (HTTP/1.1 413 Request Entity "
            "Too Large)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTranslationService service;
        c.serve(service);
        const Outcome outcome = translateWith(service, c.text);
        EXPECT_EQ(outcome.log, std::vector<std::string> {c.kind ? "event: failed" : "event: done"});
        ASSERT_EQ(outcome.result.failure.has_value(), c.kind.has_value());
        if (c.kind) {
            EXPECT_EQ(outcome.result.failure->kind, *c.kind);
            EXPECT_TRUE(outcome.result.translation.empty()) << "nothing shown as a translation";
            if (!c.report.empty()) {
                EXPECT_EQ(outcome.result.failure->reportText(), c.report);
            }
        } else {
            EXPECT_EQ(Unicode::toUtf8(outcome.result.translation), c.report);
        }
        // No failure here is worth a second request.
        ASSERT_EQ(service.texts().size(), 1u);
        EXPECT_EQ(service.texts()[0],
            c.text == shortText ? "Good morning.\nHow are you?" : std::string(1960, 'a'));
    }
}

TEST(TranslationWorkerTest, RefusedPostsAreRetriedUntilOneIsAccepted)
{
    FakeTranslationService service;
    service.answerTranslation("x");
    HttpClient client;
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    prepareRequestHeaders(client, service.baseAddress(), false, true);
    RecordingHost host;
    host.refusePosts(3);
    CancelToken cancel;
    TranslationOutcome outcome;
    TranslationWorker::start(
        host, client, {service.baseAddress(), u"x", "en", "mr", {}}, cancel, outcome);
    EXPECT_GE(TranslationWorker::running(), 1);
    EXPECT_EQ(host.waitForEvent(), std::vector<std::string> {"event: done"});
    EXPECT_EQ(host.postAttempts(), 4);
    // The thread ends right after its post.
    for (int i = 0; i < 500 && TranslationWorker::running() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(TranslationWorker::running(), 0);
}

TEST(TranslationWorkerTest, ConnectionFailuresCarryTheSocketErrorText)
{
    // Nothing listens on this loopback port once the service is gone.
    std::string address;
    {
        FakeTranslationService gone;
        address = gone.baseAddress();
    }
    FakeTranslationService unused;
    Outcome outcome = translateWith(unused, longText, address);
    EXPECT_EQ(outcome.log, std::vector<std::string> {"event: failed"});
    ASSERT_TRUE(outcome.result.failure);
    EXPECT_EQ(outcome.result.failure->kind, FailureKind::Unreachable);
    EXPECT_EQ(outcome.result.failure->detail, "Socket Error # 10061\r\nConnection refused.");

    // A service that never answers runs into the read time-out (shortened here).
    FakeTranslationService mute;
    mute.stayMute();
    outcome = translateWith(mute, longText, "", std::chrono::milliseconds(300));
    EXPECT_EQ(outcome.log, std::vector<std::string> {"event: failed"});
    ASSERT_TRUE(outcome.result.failure);
    EXPECT_EQ(outcome.result.failure->kind, FailureKind::TimedOut);
    EXPECT_EQ(outcome.result.failure->reportText(),
        "127.0.0.1 did not answer in time. (Socket Error # 10060)");
}

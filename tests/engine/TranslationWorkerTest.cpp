// The worker against the fake translation service: what the buffer holds, which event is
// posted, and when a message is shown.
#include "FakeTranslationService.h"
#include "HttpClient.h"
#include "RecordingHost.h"
#include "RequestProfile.h"

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
    std::string buffer;
};

Outcome translateWith(FakeTranslationService& service, const std::u16string& text,
    std::string buffer = "", const std::string& address = "",
    std::chrono::milliseconds readTimeout = HttpClient::ReadTimeout)
{
    HttpClient client;
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    client.setTimeLimits(readTimeout, HttpClient::ExchangeTimeLimit);
    const std::string base = address.empty() ? service.baseAddress() : address;
    prepareRequestHeaders(client, base, false, true);
    RecordingHost host;
    TranslationWorker::start(host, client, {base, text, "en", "mr"}, buffer);
    Outcome outcome {host.waitForEvent(), {}};
    outcome.buffer = buffer;
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
        std::vector<std::string> log;
        std::string buffer;
    };
    const std::string answer = "[[[\"[mr] Good morning.\\n\",\"Good morning.\\n\",null,null,3],"
                               "[\"[mr] How are you?\",\"How are you?\",null,null,3]],null,\"en\"]";
    const Case cases[] = {
        {"GET answer", shortText,
            [](FakeTranslationService& s) { s.answerTranslation("Good morning.\nHow are you?"); },
            {"event: done"}, answer},
        {"POST answer", longText,
            [](FakeTranslationService& s) { s.answerTranslation(std::string(1960, 'a')); },
            {"event: done"},
            "[[[\"[mr] " + std::string(1960, 'a') + "\",\"" + std::string(1960, 'a')
                + "\",null,null,3]],null,\"en\"]"},
        {"GET 403", shortText, [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); },
            {"message: HTTP/1.1 403 Forbidden", "event: done"}, ""},
        {"POST 403", longText, [](FakeTranslationService& s) { s.answerStatus(403, "Forbidden"); },
            {"event: failed"}, "HTTP/1.1 403 Forbidden"},
        {"POST 429", longText,
            [](FakeTranslationService& s) { s.answerStatus(429, "Too Many Requests"); },
            {"event: failed"}, "HTTP/1.1 429 Too Many Requests"},
        {"GET closed", shortText, [](FakeTranslationService& s) { s.closeConnection(); },
            {"message: Connection Closed Gracefully.", "event: done"}, ""},
        {"POST closed", longText, [](FakeTranslationService& s) { s.closeConnection(); },
            {"event: failed"}, "Connection Closed Gracefully."},
        {"GET garbage", shortText, [](FakeTranslationService& s) { s.answerGarbage(); },
            {"event: done"}, ")]}'\n<not json at all>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTranslationService service;
        c.serve(service);
        const Outcome outcome = translateWith(service, c.text);
        EXPECT_EQ(outcome.log, c.log);
        EXPECT_EQ(outcome.buffer, c.buffer);
        ASSERT_EQ(service.texts().size(), 1u);
        EXPECT_EQ(service.texts()[0],
            c.text == shortText ? "Good morning.\nHow are you?" : std::string(1960, 'a'));
    }
}

TEST(TranslationWorkerTest, FailureTextGoesOnlyIntoABlankBuffer)
{
    struct Case
    {
        std::string before;
        std::string after;
    };
    const Case cases[]
        = {{"earlier text", "earlier text"}, {" \r\n\t", " \r\n\tHTTP/1.1 403 Forbidden"}};
    for (const Case& c : cases) {
        FakeTranslationService service;
        service.answerStatus(403, "Forbidden");
        const Outcome outcome = translateWith(service, longText, c.before);
        EXPECT_EQ(outcome.log, std::vector<std::string> {"event: failed"});
        EXPECT_EQ(outcome.buffer, c.after);
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
    std::string buffer;
    TranslationWorker::start(host, client, {service.baseAddress(), u"x", "en", "mr"}, buffer);
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
    Outcome outcome = translateWith(unused, longText, "", address);
    EXPECT_EQ(outcome.log, std::vector<std::string> {"event: failed"});
    EXPECT_EQ(outcome.buffer, "Socket Error # 10061\r\nConnection refused.");

    // A service that never answers runs into the read time-out (shortened here).
    FakeTranslationService mute;
    mute.stayMute();
    outcome = translateWith(mute, longText, "", "", std::chrono::milliseconds(300));
    EXPECT_EQ(outcome.log, std::vector<std::string> {"event: failed"});
    EXPECT_EQ(outcome.buffer, "Socket Error # 10060\r\nConnection timed out.");
}

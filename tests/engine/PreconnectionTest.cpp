// The connection opened while the user writes: the translation that follows waits for it and
// uses it, a stop ends the wait at once, a failed opening changes nothing, and an idle
// connection can be dropped unless the client is in use.
#include "Preconnection.h"

#include "FakeTranslationService.h"
#include "HttpClient.h"
#include "RecordingHost.h"
#include "RequestProfile.h"
#include "StalledListener.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

// A window's host: the worker takes the client through the preconnection's lock.
class LockingHost : public RecordingHost
{
public:
    explicit LockingHost(Preconnection& preconnection)
        : m_preconnection(preconnection)
    { }

    ClientLock takeClient(HttpClient& client, const TranslationJob& job) override
    {
        ClientLock lock = m_preconnection.lockClient();
        prepareRequestHeaders(client, job.serviceBaseAddress, false, true);
        return lock;
    }

private:
    Preconnection& m_preconnection;
};

class PreconnectionTest : public testing::Test
{
protected:
    PreconnectionTest()
    {
        m_client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    }

    void open(const std::string& address)
    {
        m_preconnection.start(address + "/", [&address](HttpClient& client) {
            prepareRequestHeaders(client, address, false, true);
        });
    }

    // Translates at once, without waiting for the opening.
    std::vector<std::string> translate(const std::string& address)
    {
        LockingHost host(m_preconnection);
        m_cancel.reset();
        TranslationWorker::start(
            host, m_client, {address, u"Hello", "en", "mr", {}}, m_cancel, m_outcome);
        return host.waitForEvent();
    }

    void waitWhileOpening()
    {
        for (int i = 0; i < 2000 && m_preconnection.opening(); ++i) {
            std::this_thread::sleep_for(1ms);
        }
    }

    HttpClient m_client;
    Preconnection m_preconnection {m_client};
    CancelToken m_cancel;
    TranslationOutcome m_outcome;
};

} // namespace

TEST_F(PreconnectionTest, TranslationRightAfterTheOpeningUsesItsConnection)
{
    FakeTranslationService service;
    service.translateEveryRequest();
    open(service.baseAddress());
    EXPECT_EQ(translate(service.baseAddress()).back(), "event: done");
    EXPECT_EQ(service.connectionCount(), 1);
    // Connected now: a second opening does nothing, and the next translation goes on the same.
    open(service.baseAddress());
    EXPECT_EQ(translate(service.baseAddress()).back(), "event: done");
    EXPECT_EQ(service.connectionCount(), 1);
    EXPECT_EQ(m_client.connectionCount(), 1);
}

TEST_F(PreconnectionTest, FailedOpeningIsSilentAndTheTranslationConnectsItself)
{
    FakeTranslationService service;
    service.translateEveryRequest();
    int closedPort;
    {
        StalledListener gone;
        closedPort = gone.port();
    }
    open("https://127.0.0.1:" + std::to_string(closedPort));
    waitWhileOpening();
    EXPECT_FALSE(m_client.connected());
    EXPECT_EQ(translate(service.baseAddress()).back(), "event: done");
    EXPECT_EQ(m_outcome.translation, u"[mr] Hello");
}

TEST_F(PreconnectionTest, StopEndsATranslationWaitingBehindAStalledOpening)
{
    StalledListener stalled;
    const std::string address = "https://127.0.0.1:" + std::to_string(stalled.port());
    open(address);
    LockingHost host(m_preconnection);
    TranslationWorker::start(
        host, m_client, {address, u"Hello", "en", "mr", {}}, m_cancel, m_outcome);
    std::this_thread::sleep_for(200ms);
    // What the window's Stop does.
    const auto stopped = std::chrono::steady_clock::now();
    m_cancel.cancel();
    m_client.abort();
    EXPECT_EQ(host.waitForEvent().back(), "event: failed");
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, 2s);
    ASSERT_TRUE(m_outcome.failure);
    EXPECT_EQ(m_outcome.failure->kind, FailureKind::Cancelled);
    waitWhileOpening();
    EXPECT_FALSE(m_preconnection.opening());
}

// Without the limit the translation would wait out the opening's connect time, then its own.
TEST(PreconnectionWait, AStuckOpeningIsEndedAndTheTranslationConnectsItself)
{
    FakeTranslationService service;
    service.translateEveryRequest();
    StalledListener stalled;
    const std::string stalledAddress = "https://127.0.0.1:" + std::to_string(stalled.port());
    HttpClient client;
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    Preconnection preconnection(client, 200ms);
    preconnection.start(stalledAddress + "/", [&stalledAddress](HttpClient& c) {
        prepareRequestHeaders(c, stalledAddress, false, true);
    });
    LockingHost host(preconnection);
    CancelToken cancel;
    TranslationOutcome outcome;
    const auto started = std::chrono::steady_clock::now();
    TranslationWorker::start(
        host, client, {service.baseAddress(), u"Hello", "en", "mr", {}}, cancel, outcome);
    EXPECT_EQ(host.waitForEvent().back(), "event: done");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(outcome.translation, u"[mr] Hello");
}

TEST_F(PreconnectionTest, IdleConnectionIsDroppedOnlyWhenTheClientIsFree)
{
    FakeTranslationService service;
    service.translateEveryRequest();
    EXPECT_EQ(translate(service.baseAddress()).back(), "event: done");
    ASSERT_TRUE(m_client.connected());
    {
        const ClientLock inUse = m_preconnection.lockClient();
        EXPECT_FALSE(m_preconnection.dropConnection());
        EXPECT_TRUE(m_client.connected());
    }
    EXPECT_TRUE(m_preconnection.dropConnection());
    EXPECT_FALSE(m_client.connected());
}

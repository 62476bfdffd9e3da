// What the translation controller shares with a translation worker: the HTTP client, the stop
// request and the outcome, and the relay that brings the worker's progress and completion to the
// GUI thread. The client's connection may be opened ahead of the first translation, and is dropped
// after a quiet minute.
#pragma once

#include "HttpClient.h"
#include "Preconnection.h"
#include "ProxySettings.h"
#include "TranslationWorker.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class TranslationSession : public QObject, public TranslationHost
{
public:
    using EventHandler = std::function<void(TranslationEvent)>;
    using ProgressHandler = std::function<void(int part, int partCount)>;
    using CountdownHandler = std::function<void(int secondsLeft)>;
    using ClientTakenHandler = std::function<void()>;

    static constexpr std::chrono::milliseconds IdleConnectionLimit {60000};

    TranslationSession();
    // GUI thread only; set up before the first translation or opening.
    HttpClient& client() { return m_client; }
    // GUI thread: the proxy the next translation or opening takes to the client.
    ProxySettings& proxyParams() { return m_proxy; }
    // Read by the GUI thread once the completion event has arrived.
    const TranslationOutcome& outcome() const { return m_outcome; }

    // GUI thread, while no worker runs: starts one for the job.
    void start(TranslationJob job);
    // A started worker has not reported back yet.
    bool working() const { return m_working; }
    // GUI thread: the worker ends as soon as it can, with a Cancelled failure; its connection is
    // shut down at once.
    void stop();
    // GUI thread: opens the connection to the service in the background, when the client is free
    // and not connected yet.
    void preconnect(const std::string& serviceBaseAddress);
    // Tests shorten how long a connection may stay unused before it is closed.
    void setIdleLimit(std::chrono::milliseconds limit) { m_idleTimer.setInterval(limit); }

    // The handlers run on the GUI thread. A session without an event handler frees itself when
    // its worker reports back.
    void setEventHandler(EventHandler handler) { m_eventHandler = std::move(handler); }
    void setProgressHandler(ProgressHandler handler) { m_progressHandler = std::move(handler); }
    void setCountdownHandler(CountdownHandler handler) { m_countdownHandler = std::move(handler); }
    // The worker has the client and starts its exchange.
    void setClientTakenHandler(ClientTakenHandler handler)
    {
        m_clientTakenHandler = std::move(handler);
    }

    // Worker's thread: each queues its news for the GUI thread.
    bool postEvent(TranslationEvent event) override;
    void partStarted(int part, int partCount) override;
    void retryCountdown(int secondsLeft, const TranslationFailure& cause) override;
    ClientLock takeClient(HttpClient& client, const TranslationJob& job) override;

protected:
    bool event(QEvent* event) override;

private:
    void dropIdleConnection();
    // Runs call on the GUI thread, later.
    void onGuiThread(std::function<void()> call);

    HttpClient m_client;
    Preconnection m_preconnection {m_client};
    ProxySettings m_proxy;
    // The proxy a started worker gives the client; written before the worker starts.
    ProxySettings m_jobProxy;
    QTimer m_idleTimer;
    CancelToken m_cancel;
    TranslationOutcome m_outcome;
    bool m_working = false;
    EventHandler m_eventHandler;
    ProgressHandler m_progressHandler;
    CountdownHandler m_countdownHandler;
    ClientTakenHandler m_clientTakenHandler;
};

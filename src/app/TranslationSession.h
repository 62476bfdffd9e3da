// What the main window shares with a translation worker: the HTTP client, the stop request and
// the outcome, and the relay that brings the worker's progress and completion to the GUI thread.
#pragma once

#include "HttpClient.h"
#include "TranslationWorker.h"

#include <QObject>
#include <functional>

class TranslationSession : public QObject, public TranslationHost
{
public:
    using EventHandler = std::function<void(TranslationEvent)>;
    using ProgressHandler = std::function<void(int part, int partCount)>;
    using CountdownHandler = std::function<void(int secondsLeft)>;

    HttpClient& client() { return m_client; }
    // Read by the GUI thread once the completion event has arrived.
    const TranslationOutcome& outcome() const { return m_outcome; }

    // GUI thread, while no worker runs: starts one for the job.
    void start(TranslationJob job);
    // GUI thread: the worker ends as soon as it can, with a Cancelled failure; its connection is
    // shut down at once.
    void stop();

    // The handlers run on the GUI thread. A session whose window is gone frees itself when its
    // worker reports back.
    void setEventHandler(EventHandler handler) { m_eventHandler = std::move(handler); }
    void setProgressHandler(ProgressHandler handler) { m_progressHandler = std::move(handler); }
    void setCountdownHandler(CountdownHandler handler) { m_countdownHandler = std::move(handler); }

    // Worker's thread: each queues its news for the GUI thread.
    bool postEvent(TranslationEvent event) override;
    void partStarted(int part, int partCount) override;
    void retryCountdown(int secondsLeft, const TranslationFailure& cause) override;

protected:
    bool event(QEvent* event) override;

private:
    HttpClient m_client;
    CancelToken m_cancel;
    TranslationOutcome m_outcome;
    EventHandler m_eventHandler;
    ProgressHandler m_progressHandler;
    CountdownHandler m_countdownHandler;
};

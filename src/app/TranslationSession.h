// What the main window shares with a translation worker: the HTTP client, the result buffer, and
// the relay that brings the worker's completion events and message box requests to the GUI thread.
#pragma once

#include "HttpClient.h"
#include "TranslationWorker.h"

#include <QObject>
#include <functional>
#include <string>

class TranslationSession : public QObject, public TranslationHost
{
public:
    using EventHandler = std::function<void(TranslationEvent)>;

    HttpClient& client() { return m_client; }
    std::string& resultBuffer() { return m_resultBuffer; }

    // Receives the completion events on the GUI thread. A session whose window is gone frees
    // itself when its worker reports back.
    void setEventHandler(EventHandler handler) { m_eventHandler = std::move(handler); }

    // Worker's thread: queues the event for the GUI thread.
    bool postEvent(TranslationEvent event) override;
    // Worker's thread: an information box shown by the GUI thread; returns once it was closed.
    void showMessage(const std::string& text) override;

protected:
    bool event(QEvent* event) override;

private:
    HttpClient m_client;
    std::string m_resultBuffer;
    EventHandler m_eventHandler;
};

// The GUI thread's side of a translation worker.
#include "TranslationSession.h"

#include "RequestProfile.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

void readyClient(
    HttpClient& client, const std::string& serviceBaseAddress, const ProxySettings& proxy)
{
    prepareRequestHeaders(client, serviceBaseAddress, false, true);
    client.proxyParams().takeChoice(proxy);
}

} // namespace

TranslationSession::TranslationSession()
{
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(IdleConnectionLimit);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { dropIdleConnection(); });
}

void TranslationSession::start(TranslationJob job)
{
    m_cancel.reset();
    m_outcome = {};
    m_idleTimer.stop();
    m_jobProxy.takeChoice(m_proxy);
    m_working = true;
    TranslationWorker::start(*this, m_client, std::move(job), m_cancel, m_outcome);
}

ClientLock TranslationSession::takeClient(HttpClient& client, const TranslationJob& job)
{
    ClientLock lock = m_preconnection.lockClient();
    readyClient(client, job.serviceBaseAddress, m_jobProxy);
    onGuiThread([this] {
        if (m_clientTakenHandler) {
            m_clientTakenHandler();
        }
    });
    return lock;
}

void TranslationSession::preconnect(const std::string& serviceBaseAddress)
{
    m_preconnection.start(
        serviceBaseAddress + "/", [this, &serviceBaseAddress](HttpClient& client) {
            readyClient(client, serviceBaseAddress, m_proxy);
        });
    m_idleTimer.start();
}

void TranslationSession::dropIdleConnection()
{
    if (!m_preconnection.dropConnection()) {
        m_idleTimer.start(); // in use: the next quiet spell closes it
    }
}

void TranslationSession::stop()
{
    // The token first: the worker looks at it after the abort has woken it.
    m_cancel.cancel();
    m_client.abort();
}

bool TranslationSession::postEvent(TranslationEvent event)
{
    // Nothing of this object is touched after the post: the GUI thread may free it at once.
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(event)));
    return true;
}

void TranslationSession::onGuiThread(std::function<void()> call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void TranslationSession::partStarted(int part, int partCount)
{
    onGuiThread([this, part, partCount] {
        if (m_progressHandler) {
            m_progressHandler(part, partCount);
        }
    });
}

void TranslationSession::retryCountdown(int secondsLeft, const TranslationFailure&)
{
    onGuiThread([this, secondsLeft] {
        if (m_countdownHandler) {
            m_countdownHandler(secondsLeft);
        }
    });
}

bool TranslationSession::event(QEvent* event)
{
    const auto type = static_cast<int>(event->type());
    if (type != static_cast<int>(TranslationEvent::Done)
        && type != static_cast<int>(TranslationEvent::Failed)) {
        return QObject::event(event);
    }
    m_idleTimer.start();
    m_working = false;
    if (m_eventHandler) {
        m_eventHandler(static_cast<TranslationEvent>(type));
    } else {
        deleteLater();
    }
    return true;
}

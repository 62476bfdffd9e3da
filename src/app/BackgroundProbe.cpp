// The background probe.
#include "BackgroundProbe.h"

BackgroundProbe::BackgroundProbe(Check check, Answer answer, QObject* parent)
    : QObject(parent)
    , m_check(std::move(check))
    , m_answer(std::move(answer))
{ }

BackgroundProbe::~BackgroundProbe()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BackgroundProbe::start()
{
    if (m_thread.joinable()) {
        return;
    }
    m_thread = std::thread([this] {
        QString problem;
        try {
            m_check();
        } catch (const std::exception& error) {
            problem = QString::fromLocal8Bit(error.what());
        }
        // Posted to this object: dropped if the probe is gone by the time the GUI thread looks.
        QMetaObject::invokeMethod(
            this, [this, problem] { m_answer(problem); }, Qt::QueuedConnection);
    });
}

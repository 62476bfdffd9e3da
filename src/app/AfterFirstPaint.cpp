// Waiting for the first paint.
#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

constexpr int LatestStartMs = 3000;

} // namespace

void AfterFirstPaint::run(QWidget* window, std::function<void()> work)
{
    new AfterFirstPaint(window, std::move(work));
}

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> work)
    : QObject(window)
    , m_work(std::move(work))
{
    window->installEventFilter(this);
    QTimer::singleShot(LatestStartMs, this, &AfterFirstPaint::finish);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Once the paint has reached the screen.
        QTimer::singleShot(0, this, &AfterFirstPaint::finish);
    }
    return false;
}

void AfterFirstPaint::finish()
{
    if (m_work) {
        std::exchange(m_work, {})();
        deleteLater();
    }
}

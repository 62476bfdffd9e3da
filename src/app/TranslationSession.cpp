// The main window's side of a translation worker.
#include "TranslationSession.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QEvent>

bool TranslationSession::postEvent(TranslationEvent event)
{
    // Nothing of this object is touched after the post: the GUI thread may free it at once.
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(event)));
    return true;
}

void TranslationSession::showMessage(const std::string& text)
{
    QMetaObject::invokeMethod(
        this, [&text] { showMessageBox(text, 2); }, Qt::BlockingQueuedConnection);
}

bool TranslationSession::event(QEvent* event)
{
    const auto type = static_cast<int>(event->type());
    if (type != static_cast<int>(TranslationEvent::Done)
        && type != static_cast<int>(TranslationEvent::Failed)) {
        return QObject::event(event);
    }
    if (m_eventHandler) {
        m_eventHandler(static_cast<TranslationEvent>(type));
    } else {
        deleteLater();
    }
    return true;
}

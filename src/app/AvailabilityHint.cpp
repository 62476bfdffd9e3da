// A disabled control's reason, kept across language changes.
#include "AvailabilityHint.h"

#include "InterfaceLanguage.h"
#include "MessageTexts.h"

#include <QWidget>
#include <utility>

AvailabilityHint::AvailabilityHint(QList<QWidget*> controls, const char* hint, QObject* parent)
    : QObject(parent)
    , m_controls(std::move(controls))
    , m_hint(QString::fromUtf8(hint))
{
    for (QWidget* control : m_controls) {
        control->setToolTip(m_hint);
    }
    // Queued: after the language components have set their texts.
    connect(&InterfaceLanguage::instance(), &InterfaceLanguage::changed, this,
        &AvailabilityHint::show, Qt::QueuedConnection);
}

void AvailabilityHint::setProblem(const QString& problem)
{
    m_problem = problem;
    for (QWidget* control : m_controls) {
        control->setEnabled(problem.isEmpty());
    }
    show();
}

void AvailabilityHint::show()
{
    const QString text
        = MessageTexts::instance().translate(m_problem.isEmpty() ? m_hint : m_problem);
    for (QWidget* control : m_controls) {
        control->setToolTip(text);
    }
}

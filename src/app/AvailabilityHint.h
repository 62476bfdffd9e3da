// The tooltip of controls that a missing library, voice or device can disable: the plain hint
// while they can be used, else the reason they cannot, in the interface language. The window's
// language components put the plain hint back when the language changes, so the reason is shown
// again after them.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QWidget;

class AvailabilityHint : public QObject
{
    Q_OBJECT

public:
    // hint: the English text of the plain hint, one the message table knows.
    AvailabilityHint(QList<QWidget*> controls, const char* hint, QObject* parent);

    // Enables the controls when problem is empty, else disables them and shows why.
    void setProblem(const QString& problem);

private:
    void show();

    QList<QWidget*> m_controls;
    QString m_hint;
    QString m_problem;
};

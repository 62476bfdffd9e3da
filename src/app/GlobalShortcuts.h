// The desktop-wide shortcuts: Ctrl+Alt+E (the selection in a pop-up), Ctrl+Alt+T (the selection in
// the window) and Ctrl+Alt+S (the selection read aloud), each as the settings turn it on. Where the
// desktop gives no keys, or another program holds one, the problem is kept to be told once; the
// command-line triggers do the same work.
#pragma once

#include "DesktopSettings.h"

#include <QObject>
#include <QString>

class X11KeyGrab;

class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    enum class Action
    {
        Popup,
        Window,
        Speak,
    };

    explicit GlobalShortcuts(QObject* parent = nullptr);

    // Takes the keys the settings turn on and lets the others go.
    void apply(const DesktopSettings& settings);
    // What could not be had, in the interface language, with the way round it; empty when every
    // key turned on is held.
    QString problem() const;

    // The English texts, for the message table.
    static QStringList messageLines();

signals:
    // Shift was held with the key.
    void triggered(Action action, bool shift);
    // A problem that differs from the last one told.
    void problemFound(const QString& problem);

private:
    X11KeyGrab* m_grab = nullptr;
    // Keys another program holds, as "Ctrl+Alt+E"; or no way to have any.
    QStringList m_taken;
    bool m_unavailable = false;
    QString m_told;
};

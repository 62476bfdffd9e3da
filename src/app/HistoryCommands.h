// The main window's history commands: the History window (Ctrl+H), translating again past the
// history (Alt+Shift+T), and stepping back and forward through past translations (Alt+Left,
// Alt+Right). The window hands in what it does with an entry; the commands own the rest.
#pragma once

#include "TranslationHistory.h"

#include <QObject>
#include <QPointer>
#include <functional>

class HistoryWindow;
class QMenu;
class QWidget;

class HistoryCommands : public QObject
{
public:
    using EntryHandler = std::function<void(const HistoryEntry&)>;

    HistoryCommands(QWidget* window, TranslationHistory& history, EntryHandler showEntry);
    ~HistoryCommands() override;

    // Adds a History submenu to menu with every history command, and their shortcuts to the
    // window.
    void addActions(QMenu* menu, std::function<void()> translateAgain);

    void openWindow();
    void stepOlder();
    void stepNewer();

private:
    QWidget* m_window;
    TranslationHistory& m_history;
    EntryHandler m_showEntry;
    QPointer<HistoryWindow> m_historyWindow;
};

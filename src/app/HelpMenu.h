// The Help button's menu (pmHelp): Options, text from a screen area, printing, the history
// commands, the web links, the list of shortcuts, About and Quit.
#pragma once

#include <functional>

class HistoryCommands;
class QAction;
class MainShortcuts;
class PrintCommands;
class QMenu;
class QWidget;

class HelpMenu
{
public:
    struct Commands
    {
        std::function<void()> options;
        std::function<void()> translateAgain;
        std::function<void()> screenText;
        std::function<void()> about;
    };

    // shortcuts: where the list of shortcuts comes from.
    HelpMenu(QWidget* window, MainShortcuts& shortcuts, PrintCommands& print,
        HistoryCommands& history, const Commands& commands);

    // An item by object name, for its shortcut.
    QAction* item(const char* name) const;

    // Opens the menu below the control.
    void popupBelow(const QWidget* control) const;

private:
    QMenu* m_menu;
};

// The main window's shortcuts.
#include "MainWindowKeys.h"

#include "HelpMenu.h"
#include "MainShortcuts.h"

#include <QAbstractButton>
#include <QWidget>

void addMainWindowKeys(MainShortcuts& shortcuts, QWidget* window, const HelpMenu& helpMenu,
    std::function<void()> saveFocused)
{
    const auto button
        = [window](const char* name) { return window->findChild<QAbstractButton*>(name); };
    shortcuts.addButton(button("btnTrans"), QKeySequence(Qt::CTRL | Qt::Key_Return),
        QKeySequence(Qt::CTRL | Qt::Key_Enter));
    shortcuts.addButton(button("btnOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    shortcuts.addCommand(
        QKeySequence(Qt::CTRL | Qt::Key_S), button("btnSave"), std::move(saveFocused));
    shortcuts.addMenuItem(helpMenu.item("miPrint"), QKeySequence(Qt::CTRL | Qt::Key_P));
    shortcuts.addButton(button("btnSwap"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    shortcuts.addButton(button("btnCopy2"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    shortcuts.addButton(button("btnClear"), QKeySequence(Qt::CTRL | Qt::Key_L));
    shortcuts.addMenuItem(
        helpMenu.item("miScreenText"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    shortcuts.addMenuItem(helpMenu.item("miOptions"), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    shortcuts.addButton(button("btnHelp"), QKeySequence(Qt::Key_F1));
    shortcuts.addMenuItem(helpMenu.item("miQuit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

// The main window's table of shortcuts: which key runs which of its commands.
#pragma once

#include <functional>

class HelpMenu;
class MainShortcuts;
class QWidget;

// saveFocused: Ctrl+S, which saves the pane being edited, else the translation.
void addMainWindowKeys(MainShortcuts& shortcuts, QWidget* window, const HelpMenu& helpMenu,
    std::function<void()> saveFocused);

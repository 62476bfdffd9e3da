// What the main window takes from its creator: where it translates (or the controller to use), and
// the folder of its settings file. The program passes the defaults; tests point the window at their
// own settings folder and at a local stand-in for the translation service.
#pragma once

#include "TranslationSetup.h"

#include <QString>

class TranslationController;

struct MainFormSetup : TranslationSetup
{
    // Folder of the settings file; empty means the one AppPaths chooses.
    QString settingsFolder;
    // The program's translation controller, shared with the pop-up; without one the window makes
    // its own from this set-up.
    TranslationController* controller = nullptr;
};

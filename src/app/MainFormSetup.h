// What the main window takes from its creator: where it translates, and the folder of its settings
// file. The program passes the defaults; tests point the window at their own settings folder and
// at a local stand-in for the translation service.
#pragma once

#include "TranslationSetup.h"

#include <QString>

struct MainFormSetup : TranslationSetup
{
    // Folder of the settings file; empty means the one AppPaths chooses.
    QString settingsFolder;
};

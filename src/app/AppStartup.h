// The program-wide set-up every way of starting shares: the application's name, where the
// settings file is, the engine's texts in the message table and the typing tables the Options
// dialog offers. main() runs it before the window; the console translation takes its settings file
// from here; the tests run it as the program does.
#pragma once

#include <QString>

namespace AppStartup {

// Once per process, with the application object in place.
void wireProgram();

// Points SettingsFileName at the settings file: in folder when one is given (tests), else where
// the program's rules put it. Returns the problem to report when the file's folder could not be
// made; the defaults serve meanwhile.
QString useSettingsFile(const QString& folder = {});

} // namespace AppStartup

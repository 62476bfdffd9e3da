// The maker's copyright notice, shown in the main window's status bar and in the About box.
#pragma once

#include <QString>

// The notice as the program is built with it; %1 stands for the current year.
inline const QString CopyrightPattern = QStringLiteral("Copyright (C) 2010-%1 Tarnwick Systems");

// The pattern (the notice in another language) with the current year, read at each call, in
// four digits.
QString copyrightNotice(const QString& pattern = CopyrightPattern);

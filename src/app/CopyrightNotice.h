// The maker's copyright notice, shown in the main window's status bar and in the About box.
#pragma once

#include <QString>

// "Copyright (C) 2010-<current year> Tarnwick Systems", the year read at each call.
QString copyrightNotice();

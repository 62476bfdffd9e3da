// Starting Quendra with the desktop session: a desktop entry in $XDG_CONFIG_HOME/autostart that
// starts it with only the tray icon (--tray).
#pragma once

#include <QString>

namespace AutostartEntry {

// The entry's path, in the user's configuration folder.
QString path();
bool exists();
// Writes or removes the entry; false when the file could not be written or removed.
bool setEnabled(bool enabled);

} // namespace AutostartEntry

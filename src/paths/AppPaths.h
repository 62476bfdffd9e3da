// Where Quendra's files live. A program run from its own folder (a build or an unpacked copy)
// keeps everything beside its executable; an installed one reads its data from share/quendra
// and keeps the user's files in the XDG folders. Every other module asks here.
#pragma once

#include <QString>

namespace AppPaths {

// The folder of the running executable.
QString executableFolder();
// Tests point the program's folder elsewhere; the empty text restores the real one.
void setExecutableFolderForTesting(const QString& folder);

// The installed data folder, share/quendra beside the executable's bin folder.
QString installedDataFolder();

// A data file (resource bundle, language file): beside the executable when it is there, else in
// the installed data folder when it is there, else the path beside the executable (whose absence
// the caller reports).
QString dataFile(const QString& name);

struct SettingsLocation
{
    QString file;
    // Empty, or a message naming a folder that could not be created; file then names where the
    // settings would be, so reads give the defaults and writes report the failure.
    QString problem;
};

// "Lingvane.ini" beside the executable when it exists there, or when that folder is writable and
// the program runs from it (its data files sit beside it). Otherwise the file in
// $XDG_CONFIG_HOME/quendra (~/.config/quendra), a folder created for its owner only.
SettingsLocation settingsFile();

// $XDG_DATA_HOME/quendra (~/.local/share/quendra), created for its owner only, for files the
// program keeps for the user. Raises Exception("Unable to create folder <path>") when it cannot be
// created.
QString userDataFolder();

// Creates folder and its missing parents with mode 0700; true when it exists afterwards.
bool makeOwnerFolder(const QString& folder);

} // namespace AppPaths

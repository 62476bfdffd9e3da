// File locations: beside the executable first, then the installed and XDG folders.
#include "AppPaths.h"

#include "Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString SettingsName = QStringLiteral("Lingvane.ini");
const QString AppFolderName = QStringLiteral("quendra");

QString& executableFolderOverride()
{
    static QString folder;
    return folder;
}

bool isFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

// Whether the effective user may create files in folder (the effective one, so a test that drops
// its privileges sees what an ordinary user would).
bool writableFolder(const QString& folder)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS)
        == 0;
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are to be
// ignored), else the fallback under the home folder.
QString xdgFolder(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) {
        return QDir::cleanPath(value);
    }
    return QDir::cleanPath(QDir::homePath() + u'/' + fallbackUnderHome);
}

QString createFolderProblem(const QString& folder)
{
    return QStringLiteral("Unable to create folder %1").arg(QDir::toNativeSeparators(folder));
}

} // namespace

namespace AppPaths {

QString executableFolder()
{
    if (!executableFolderOverride().isEmpty()) {
        return executableFolderOverride();
    }
    return QCoreApplication::applicationDirPath();
}

void setExecutableFolderForTesting(const QString& folder)
{
    executableFolderOverride() = folder;
}

QString installedDataFolder()
{
    return QDir::cleanPath(executableFolder() + QStringLiteral("/../share/") + AppFolderName);
}

QString dataFile(const QString& name)
{
    const QString beside = QDir(executableFolder()).filePath(name);
    if (isFile(beside)) {
        return beside;
    }
    const QString installed = QDir(installedDataFolder()).filePath(name);
    if (isFile(installed)) {
        return installed;
    }
    return beside;
}

SettingsLocation settingsFile()
{
    const QString folder = executableFolder();
    const QString beside = QDir(folder).filePath(SettingsName);
    // An installed program never writes into its bin folder, even when its user may (root).
    const bool installed = QFileInfo(installedDataFolder()).isDir();
    if (isFile(beside) || (!installed && writableFolder(folder))) {
        return {beside, {}};
    }
    const QString configFolder
        = xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + u'/' + AppFolderName;
    SettingsLocation location {QDir(configFolder).filePath(SettingsName), {}};
    if (!makeOwnerFolder(configFolder)) {
        location.problem = createFolderProblem(configFolder);
    }
    return location;
}

QString userDataFolder()
{
    const QString folder
        = xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) + u'/' + AppFolderName;
    if (!makeOwnerFolder(folder)) {
        throw Exception(createFolderProblem(folder).toLocal8Bit().toStdString());
    }
    return folder;
}

bool makeOwnerFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (QFileInfo(clean).isDir()) {
        return true;
    }
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !makeOwnerFolder(parent)) {
        return false;
    }
    if (::mkdir(QFile::encodeName(clean).constData(), 0700) == 0 || errno == EEXIST) {
        return QFileInfo(clean).isDir();
    }
    return false;
}

} // namespace AppPaths

// The autostart desktop entry.
#include "AutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The desktop id the program's own entry and icon carry.
constexpr const char* DesktopId = "example.tarnwick.Quendra";

// A program path as an Exec line's first field: quoted when it holds anything but plain characters.
QString execField(QString program)
{
    if (!program.contains(QRegularExpression(QStringLiteral("[ \\t\"'\\\\$`]")))) {
        return program;
    }
    program.replace(u'\\', QStringLiteral("\\\\\\\\"));
    for (const char* special : {"\"", "$", "`"}) {
        program.replace(QLatin1String(special), QStringLiteral("\\\\") + QLatin1String(special));
    }
    return u'"' + program + u'"';
}

} // namespace

QString AutostartEntry::path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/%1.desktop").arg(QLatin1String(DesktopId)));
}

bool AutostartEntry::exists()
{
    return QFile::exists(path());
}

bool AutostartEntry::setEnabled(bool enabled)
{
    const QString file = path();
    if (!enabled) {
        return !QFile::exists(file) || QFile::remove(file);
    }
    if (!QDir().mkpath(QFileInfo(file).path())) {
        return false;
    }
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QString text
        = QStringLiteral("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Quendra\n"
                         "Comment=Translate between English and Marathi\n"
                         "Exec=%1 --tray\n"
                         "Icon=%2\n"
                         "Terminal=false\n"
                         "X-GNOME-Autostart-enabled=true\n")
              .arg(execField(QCoreApplication::applicationFilePath()), QLatin1String(DesktopId));
    entry.write(text.toUtf8());
    return entry.commit();
}

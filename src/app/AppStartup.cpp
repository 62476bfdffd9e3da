// Program-wide set-up.
#include "AppStartup.h"

#include "AppPaths.h"
#include "M17nEngine.h"
#include "Params.h"
#include "TranslationMessages.h"
#include "TypingTableChoice.h"

#include <QCoreApplication>
#include <QDir>

void AppStartup::wireProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    TranslationMessages::addToMessageTable();
    TypingTableChoice::setTableLister(&M17nEngine::marathiTables);
}

QString AppStartup::useSettingsFile(const QString& folder)
{
    const AppPaths::SettingsLocation settings = folder.isEmpty()
        ? AppPaths::settingsFile()
        : AppPaths::SettingsLocation {QDir(folder).filePath(QStringLiteral("Lingvane.ini")), {}};
    SettingsFileName = settings.file.toLocal8Bit().toStdString();
    return settings.problem;
}

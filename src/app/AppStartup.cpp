// Program-wide set-up.
#include "AppStartup.h"

#include "AppPaths.h"
#include "GlobalShortcuts.h"
#include "ImageTextChoice.h"
#include "ImageTextMessages.h"
#include "M17nEngine.h"
#include "MessageTexts.h"
#include "Params.h"
#include "TextRecogniser.h"
#include "TranslationMessages.h"
#include "TrayIcon.h"
#include "TypingTableChoice.h"

#include <QCoreApplication>
#include <QDir>

void AppStartup::wireProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    TranslationMessages::addToMessageTable();
    ImageTextMessages::addToMessageTable();
    ImageTextChoice::setLanguageLister([] { return TextRecogniser::installedLanguages(); });
    MessageTexts::instance().addKnownTexts(
        GlobalShortcuts::messageLines() + TrayIcon::messageLines());
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

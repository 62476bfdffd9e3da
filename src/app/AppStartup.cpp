// Program-wide set-up.
#include "AppStartup.h"

#include "AppPaths.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "GlobalShortcuts.h"
#include "LangRes.h"
#include "M17nEngine.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "Params.h"
#include "TfrmOptions.h"
#include "TranslationMessages.h"
#include "TrayIcon.h"
#include "TypingTableChoice.h"

#include <QCoreApplication>
#include <QDir>

void AppStartup::wireProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    LangRes::setFileLocator(&AppPaths::dataFile);
    TranslationMessages::addToMessageTable();
    MessageTexts::instance().addKnownTexts(
        GlobalShortcuts::messageLines() + TrayIcon::messageLines());
    TypingTableChoice::setTableLister(&M17nEngine::marathiTables);
    TfrmOptions::setErrorReport(
        [](const Exception& error) { reportError(QString::fromLocal8Bit(error.what())); });
    TfrmOptions::setQuestion(
        [](const QString& text) { return MessageBox::show(text, 3) == MessageBox::Ok; });
}

QString AppStartup::useSettingsFile(const QString& folder)
{
    const AppPaths::SettingsLocation settings = folder.isEmpty()
        ? AppPaths::settingsFile()
        : AppPaths::SettingsLocation {QDir(folder).filePath(QStringLiteral("Lingvane.ini")), {}};
    SettingsFileName = settings.file.toLocal8Bit().toStdString();
    return settings.problem;
}

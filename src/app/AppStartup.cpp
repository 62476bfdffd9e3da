// Program-wide set-up.
#include "AppStartup.h"

#include "AppPaths.h"
#include "DeferredWrites.h"
#include "ErrorReport.h"
#include "GlobalShortcuts.h"
#include "ImageTextChoice.h"
#include "ImageTextMessages.h"
#include "M17nEngine.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "Params.h"
#include "TextRecogniser.h"
#include "TranslationController.h"
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
    TranslationController::setDirectConnectionQuestion(&MessageBox::askYesNo);
    // A settings write made on its own thread reports its failure on the GUI thread.
    DeferredWrites::setFailureHandler([](const std::string& message) {
        QMetaObject::invokeMethod(
            qApp, [text = QString::fromLocal8Bit(message)] { reportError(text); },
            Qt::QueuedConnection);
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { DeferredWrites::flush(); });
}

QString AppStartup::useSettingsFile(const QString& folder)
{
    const AppPaths::SettingsLocation settings = folder.isEmpty()
        ? AppPaths::settingsFile()
        : AppPaths::SettingsLocation {QDir(folder).filePath(QStringLiteral("Lingvane.ini")), {}};
    SettingsFileName = settings.file.toLocal8Bit().toStdString();
    return settings.problem;
}

// Program-wide set-up.
#include "AppStartup.h"

#include "AppPaths.h"
#include "DeferredWrites.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "LangRes.h"
#include "M17nEngine.h"
#include "MessageBox.h"
#include "Params.h"
#include "TfrmOptions.h"
#include "TranslationController.h"
#include "TranslationMessages.h"
#include "TypingTableChoice.h"

#include <QCoreApplication>
#include <QDir>

void AppStartup::wireProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    LangRes::setFileLocator(&AppPaths::dataFile);
    TranslationMessages::addToMessageTable();
    TypingTableChoice::setTableLister(&M17nEngine::marathiTables);
    TfrmOptions::setErrorReport(
        [](const Exception& error) { reportError(QString::fromLocal8Bit(error.what())); });
    const auto ask
        = [](const QString& text) { return MessageBox::show(text, 3) == MessageBox::Ok; };
    TfrmOptions::setQuestion(ask);
    TranslationController::setDirectConnectionQuestion(ask);
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

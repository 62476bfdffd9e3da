// Quendra's entry: the command line, then either a console command without any window or the
// application with its main window; closing the window ends the program.
#include "AppStartup.h"
#include "CommandLine.h"
#include "ConsoleOcr.h"
#include "ConsoleTranslation.h"
#include "DesktopSession.h"
#include "FontConfigPreload.h"
#include "IniHelpers.h"
#include "MemoryPolicy.h"
#include "Params.h"
#include "SingleInstance.h"
#include "TfrmMain.h"
#include "TranslationController.h"
#include "TranslationWorker.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void print(std::FILE* file, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
}

// The commands that need no window; the application object they get needs no display either.
int runConsoleCommand(int argc, char* argv[], const CommandLine& command)
{
    QCoreApplication app(argc, argv);
    switch (command.action) {
    case CommandLine::Action::Help:
        print(stdout, CommandLine::helpText());
        return ExitSuccess;
    case CommandLine::Action::Version:
        print(stdout, QStringLiteral("Quendra %1\n").arg(QStringLiteral(QUENDRA_VERSION)));
        return ExitSuccess;
    case CommandLine::Action::Translate: {
        ConsoleTranslationSetup setup;
        setup.texts = command.arguments;
        setup.from = command.from;
        return translateOnConsole(setup);
    }
    case CommandLine::Action::Ocr:
        return recogniseOnConsole(
            {command.arguments, command.ocrLanguages, command.translate, command.from});
    default:
        print(stderr, QStringLiteral("quendra: %1\n").arg(command.error));
        print(stderr, CommandLine::usageText());
        return ExitUsage;
    }
}

// Whether the window has somewhere to open. Without (a login over SSH, a scheduled job) Qt would
// abort with advice to reinstall the program; a platform chosen by name is left to Qt.
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[])
{
    guardStandardStreams();
    returnBigBlocksToTheSystem();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine command = CommandLine::parse(arguments);
    if (command.action != CommandLine::Action::Window) {
        return runConsoleCommand(argc, argv, command);
    }

    if (!hasDisplay()) {
        print(stderr,
            QStringLiteral("quendra: There is no display to open the window on (DISPLAY and "
                           "WAYLAND_DISPLAY are not set).\nRun it in a desktop session, or "
                           "translate on the console: quendra --translate TEXT\n"));
        return ExitFailure;
    }
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    // Ties the window to the installed desktop entry (taskbars, icon, Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tarnwick.Quendra"));
    AppStartup::wireProgram();
    if (SingleInstance::handOver(SingleInstance::requestOf(command))) {
        return ExitSuccess;
    }
    SingleInstance instance;
    instance.listen();
    // Building and showing the window reads the settings file once for all its values.
    AppStartup::useSettingsFile();
    auto startupReads = std::make_unique<IniReadPass>(SettingsFileName);
    TranslationController controller(TranslationSetup {});
    MainFormSetup setup;
    setup.controller = &controller;
    TfrmMain window(setup);
    DesktopSession desktop(window, controller, instance);
    desktop.start(command);
    startupReads.reset();
    const int result = app.exec();
    // A worker still inside its exchange would meet the process's clean-up of the TLS library
    // and of Qt. Nothing is kept at exit, so leave at once instead.
    if (TranslationWorker::running() > 0) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}

// The program's command line: what it asks for, read with the standard GNU forms. Reading it needs
// no application object, so the console commands can run without a window or a display.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine
{
    enum class Action
    {
        Window, // open the main window, with files for the input pane
        Help,
        Version,
        Translate,
        Ocr, // text from the images in arguments; with translate set, their translation
        Error, // a usage error: message and usage go to standard error, exit code 2
    };

    Action action = Action::Window;
    // Files for the input pane, or the texts to translate.
    QStringList arguments;
    // "en" or "mr" with --from; empty for the stored direction.
    QString from;
    // With --ocr: --translate was given too.
    bool translate = false;
    // Tesseract's languages with --ocr-lang ("mar+eng"); empty for the stored choice.
    QString ocrLanguages;
    // The usage error's one line.
    QString error;

    // arguments include the program name first. Options the GUI toolkit takes itself (-style,
    // -platform and the like) are left to it.
    static CommandLine parse(const QStringList& arguments);
    // The --help text.
    static QString helpText();
    // The usage line and where to find more, for a usage error.
    static QString usageText();
};

// Exit codes of the console commands.
enum ExitCode
{
    ExitSuccess = 0,
    ExitFailure = 1,
    ExitUsage = 2,
};

// quendra --translate: one translation without a window, with the window's request, settings and
// proxy. The result goes to standard output as UTF-8 with LF line ends; a failure's reason goes to
// standard error as one line.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

struct ConsoleTranslationSetup
{
    // The texts to translate, joined by spaces; none means standard input.
    QStringList texts;
    // "en" or "mr"; empty for the stored direction.
    QString from;
    // Scheme and host of the service; empty means the service's own address, unless the
    // environment names another (QUENDRA_SERVICE_ADDRESS, for tests against a local stand-in).
    std::string serviceBaseAddress;
    std::FILE* input = stdin;
    std::FILE* output = stdout;
    std::FILE* errors = stderr;
};

// Opens /dev/null on standard input, output and error where they are closed, so that no file or
// connection the program opens later takes their numbers (and gets the translation or Qt's
// warnings written into it); remembers that standard output was closed, which a console
// translation then reports. The first thing main() does.
void guardStandardStreams();

// Needs a QCoreApplication (for the program's folder) but no display. Returns the exit code: 0
// after a translation (or an empty text), 1 after a failure.
int translateOnConsole(const ConsoleTranslationSetup& setup);

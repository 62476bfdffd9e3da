// quendra --ocr: the text in pictures without a window. Each picture's text goes to standard
// output as UTF-8 with LF line ends, a blank line between pictures; with translate set, the text of
// all of them is translated as one, the console translation's way. A picture that cannot be read,
// or holds no text, is named on standard error in one line and the others are still read.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

struct ConsoleOcrSetup
{
    QStringList images;
    // Tesseract's codes joined by "+"; empty for the window's choice.
    QString languages;
    bool translate = false;
    // With translate: "en" or "mr"; empty for the stored direction or the script's.
    QString from;
    std::FILE* output = stdout;
    std::FILE* errors = stderr;
};

// Needs a QCoreApplication but no display. Returns the exit code: 0 when every picture was read
// (and translated), 1 when one was not, 2 when a language asked for is not installed.
int recogniseOnConsole(const ConsoleOcrSetup& setup);

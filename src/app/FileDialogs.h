// The main window's open and save dialogs, and the hook that answers them in tests.
#pragma once

#include <QString>
#include <optional>

class QWidget;

class FileDialogs
{
public:
    // Qt filter strings ("Name(*.a *.b);;Other(*.c)"); defaultSuffix without its dot. An empty
    // result means the user cancelled. No question before an existing file is overwritten.
    static QString getOpenFileName(
        QWidget* parent, const QString& filter, const QString& defaultSuffix);
    static QString getSaveFileName(
        QWidget* parent, const QString& filter, const QString& defaultSuffix);

    // Tests: the next dialog is not shown but answers with fileName (empty: cancelled).
    static void setNextFileName(const QString& fileName);
    // How many dialogs were asked for since the program started.
    static int askedCount();

private:
    static QString run(
        QWidget* parent, bool save, const QString& filter, const QString& defaultSuffix);
};

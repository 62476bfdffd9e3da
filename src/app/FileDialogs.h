// The main window's open and save dialogs, and the hook that answers them in tests. They start in
// the folder the last one chose (kept in the settings file, so also after a restart), else in the
// home folder; a save to a file that exists asks first.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class FileDialogs
{
public:
    struct Choice
    {
        // Empty: the user cancelled.
        QString fileName;
        // Which of the offered filters was chosen.
        int filter = 0;
    };

    // filters: Qt filter strings ("Name (*.a *.b)"); defaultSuffix without its dot.
    static Choice getOpenFileName(QWidget* parent, const QString& title, const QStringList& filters,
        const QString& defaultSuffix);
    static Choice getSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
        const QString& defaultSuffix);

    // Tests: the next dialog is not shown but answers with fileName (empty: cancelled) and the
    // filter at that index.
    static void setNextFileName(const QString& fileName, int filter = 0);
    // How many dialogs were asked for since the program started.
    static int askedCount();
    // Where the next dialog starts.
    static QString startFolder();

private:
    static Choice run(QWidget* parent, bool save, const QString& title, const QStringList& filters,
        const QString& defaultSuffix);
    static void rememberFolder(const QString& fileName);
};

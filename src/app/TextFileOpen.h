// Opening a text file into the input pane without freezing the window: a worker thread reads,
// decodes and cuts the file into items while the window keeps painting; past half a second a
// progress box shows, and Esc or its Cancel button stops the load. Files the panes cannot hold
// are refused with a message before anything changes.
#pragma once

#include <QString>
#include <QtGlobal>

class Pane;
class QWidget;

class TextFileOpen
{
public:
    // Larger files are refused rather than read: the panes hold a text several times over.
    static constexpr qint64 MaxFileBytes = qint64(64) << 20;
    // How long the load runs before the progress box shows.
    static constexpr int ProgressDelayMs = 500;

    TextFileOpen(QWidget* parent, Pane& pane, const QString& fileName);

    // Appends the file's lines to the pane as one paragraph and shows them. False, with the pane
    // unchanged, when the file cannot be read or the user cancelled. A file that is too large, has
    // a line the panes refuse or is not text raises an Exception that names it.
    bool run();
    // The user stopped the last run().
    bool cancelled() const { return m_cancelled; }
    // The file was no UTF-8 and was read as Windows-1252.
    bool readAsWindows1252() const { return m_windows1252; }

    // Test hook: the worker waits this long before it reads, so that a test can see the progress
    // box and cancel it.
    static void setReadDelayForTest(int ms);

private:
    QWidget* m_parent;
    Pane& m_pane;
    QString m_fileName;
    bool m_cancelled = false;
    bool m_windows1252 = false;
};

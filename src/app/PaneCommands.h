// The commands on the panes' text: copy, paste, clear, cut, swap, the automatic paste and the
// panes' context menu. Each acts on the pane it is given; the menu acts on the pane it was opened
// on. The texts last brought in or out are kept for the window's automatic copy and paste.
#pragma once

#include "ClipboardText.h"

#include <QObject>
#include <QString>

class Pane;
class QMenu;
class QPoint;
class QWidget;

class PaneCommands : public QObject
{
public:
    PaneCommands(QWidget* window, Pane& input, Pane& output);
    // Clicks on the window's Clear, Copy and Paste buttons of each pane (the pane by the
    // button's "tag" property) and on Swap run the commands.
    void connectButtons(QWidget* window);

    void copy(Pane& pane);
    // Into the input pane always; into the output pane only text, never an empty clipboard.
    void paste(Pane& pane);
    void clear(Pane& pane);
    void cut(Pane& pane);
    // The input pane's text into the output pane and back.
    void swap();
    // Clipboard text that is new since the last paste goes into the input pane, unless it is the
    // translation the window put there itself.
    void autoPaste();
    // Opens the context menu (pmTrans) at position in the pane.
    void popupMenu(Pane& pane, const QPoint& position);
    // A translation shown; with AutoCopy it goes to the clipboard.
    void translationShown(const QString& translation, bool autoCopy);

    // The last source text given to a translation or pasted into the input pane.
    const QString& lastSourceText() const { return m_lastSourceText; }
    void setLastSourceText(const QString& text) { m_lastSourceText = text; }
    const QString& lastClipboardText() const { return m_lastClipboardText; }
    // The last translation copied automatically.
    const QString& lastTargetText() const { return m_lastTargetText; }

private:
    void createMenu(QWidget* window);
    void writeClipboard(const QString& text);

    Pane& m_input;
    Pane& m_output;
    QMenu* m_menu = nullptr;
    // The pane the menu was last opened on.
    Pane* m_menuPane = nullptr;
    ClipboardText m_clipboard;
    QString m_lastSourceText;
    QString m_lastClipboardText;
    QString m_lastTargetText;
};

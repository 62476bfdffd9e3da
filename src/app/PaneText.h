// Panes as plain text: the one way the main window reads or writes a pane's text. CR LF separates
// lines; every pane item is a line of its own.
#pragma once

#include <QString>
#include <QStringList>

class Pane;

// The longest line a pane takes as text of its own.
constexpr qsizetype MaxPaneLineLength = 65535;
// The longest text a pane takes at once (64 MB of UTF-16); the pane holds it several times over.
constexpr qsizetype MaxPaneTextLength = qsizetype(32) << 20;

// Removes spaces, controls and format characters (the window's fixed set) from both ends.
QString trimSpaceAndControl(QString text);

// Lines of text: each CR LF ends a line; a lone CR or LF stays inside its line; nothing after a
// final CR LF (or in an empty text) makes a line. A line longer than 65,535 characters raises
// "Line too long".
QStringList splitPaneLines(const QString& text);

// Every item followed by CR LF, then trimmed at both ends.
QString getPaneText(const Pane& pane);

// Clears the pane and fills it with one paragraph per line of text, then formats it. A text
// longer than MaxPaneTextLength is refused before the pane changes.
void setPaneText(Pane& pane, const QString& text);

// Clears the pane and shows text as its one item, line breaks and all, then formats it.
void setPaneLine(Pane& pane, const QString& text);

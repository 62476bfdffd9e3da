// The main window's way to the system clipboard as plain text. Lines on the clipboard end in LF, as
// Linux programs expect; text read from it may end its lines in CR LF, LF or CR and comes back
// with CR LF, the panes' line end. It also remembers the last text the window read or wrote, so
// the automatic paste can tell text that is new on the clipboard from text it has seen.
#pragma once

#include <QString>
#include <optional>

class ClipboardText
{
public:
    // The clipboard's text up to its first NUL, lines ending in CR LF; empty without text.
    QString read();
    // Puts text on the clipboard with LF line ends (also an empty text).
    void write(const QString& text);
    // The clipboard's text when it differs from the last text read or written here; nothing
    // otherwise. Either way the text counts as seen afterwards.
    std::optional<QString> readNew();

    static QString toPaneLineEnds(const QString& text);
    static QString toClipboardLineEnds(const QString& text);

private:
    std::optional<QString> m_seen;
};

// One item of a pane document: a run of text in one text style, or a tab.
#pragma once

#include <QByteArray>

struct PaneItem
{
    // The kind code of a tab item; text items have their text style (>= 0) instead.
    static constexpr int TabKind = -12;

    // Text style (>= 0) of a text item, or the negative kind code of another item.
    int styleNo = 0;
    // The text style whose font a tab item takes.
    int associatedStyle = 0;
    int paraNo = 0;
    int tag = 0;
    bool continuesLine = false;
    bool lineBreak = false;
    bool pageBreak = false;
    bool isUnicode = false;
    // UTF-16LE code units for a Unicode item, else 8-bit text in the style's code page.
    QByteArray stored;

    bool isText() const { return styleNo >= 0; }
    bool isTab() const { return styleNo == TabKind; }
    bool startsLine() const { return !continuesLine; }
    bool startsParagraph() const { return !continuesLine && !lineBreak; }

    void setContinuesLine()
    {
        continuesLine = true;
        lineBreak = false;
        pageBreak = false;
    }
    void setLineBreak()
    {
        lineBreak = true;
        continuesLine = false;
    }
    void setPageBreak()
    {
        pageBreak = true;
        continuesLine = false;
    }
};

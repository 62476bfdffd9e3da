// Text drawn the way a 96-dot-per-inch screen shows it: grey-smoothed glyphs of a given font and
// pixel size on plain paper, wrapped to a width. Needs a QGuiApplication.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Named apart from the panes' TextStyle, since the window's tests draw pictures too.
struct InkStyle
{
    QString family = "Noto Sans Devanagari";
    int pixelSize = 16;
    QColor paper = Qt::white;
    QColor ink = QColor(0x20, 0x20, 0x20);
    int wrapWidth = 0; // 0: one line, as wide as the text
    int margin = 12;
};

QImage renderText(const QString& text, const InkStyle& style = {});

// Edits (insertions, deletions, substitutions of characters) that turn the read text into the
// expected one, in percent of the expected length. Runs of white space count as one space, since
// where lines wrap is the drawing's business.
double characterErrorRate(const QString& expected, const QString& read);

// Colours chosen for a light window that must stay readable on whatever palette the desktop has.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QLabel;
class QWidget;

// The contrast ratio of two colours by their relative luminance (1 to 21).
double contrastRatio(const QColor& first, const QColor& second);

// wanted when it stands out from background by at least 4.5:1; otherwise wanted moved towards
// white (on a dark background) or black (on a light one), keeping its hue, just far enough.
QColor readableColour(const QColor& wanted, const QColor& background);

// One of the program's own glyphs by name (":/icons/<name>.png", with its drawing at twice the
// size, "<name>@2x.png", for screens of twice the density) for a control on background: as drawn
// on a light background; on a dark one every pixel that stands out less than 3:1 is lightened
// just enough, so dark strokes stay visible.
QIcon readableGlyph(const QString& name, const QColor& background);

// A control showing a single small letter on the window's background (and on its own face while
// pressed or checked): its text in the palette's button text colour, moved just far enough to
// stand out 7:1 from both, as thin strokes need. Called again when the palette changes.
void makeLettersReadable(QWidget* control);

// A label in one of the design's colours, kept readable on the palette of its window.
void setDesignColour(QLabel* label, const QColor& colour);

// The design-coloured labels, the glyphs of buttons and menu items (named by their "glyph"
// property) and the letter toggles of window, made again for the palette in use.
void followPalette(QWidget* window);

// Colours chosen for a light window that must stay readable on whatever palette the desktop has.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The contrast ratio of two colours by their relative luminance (1 to 21).
double contrastRatio(const QColor& first, const QColor& second);

// wanted when it stands out from background by at least 4.5:1; otherwise wanted moved towards
// white (on a dark background) or black (on a light one), keeping its hue, just far enough.
QColor readableColour(const QColor& wanted, const QColor& background);

// A glyph from file for a control on background: as drawn on a light background; on a dark one
// every pixel that stands out less than 3:1 is lightened just enough, so dark strokes stay visible.
QIcon readableGlyph(const QString& file, const QColor& background);

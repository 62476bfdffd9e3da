// The fonts of the two panes: a family and a size each, kept in the settings file's section
// "Fonts". Without a stored family a pane shows Devanagari in the first of the known Devanagari
// fonts that is installed, and Latin text in Arial where Arial is installed.
#pragma once

#include <QString>
#include <QStringList>

struct PaneFont
{
    // Empty: the default family.
    QString family;
    int pointSize = 14;

    bool operator==(const PaneFont&) const = default;
};

struct PaneFonts
{
    PaneFont input;
    PaneFont output;

    bool operator==(const PaneFonts&) const = default;
};

// Sizes the Fonts page offers and the zoom keeps to.
constexpr int MinPaneFontSize = 6;
constexpr int MaxPaneFontSize = 72;
constexpr int DefaultPaneFontSize = 14;

// The Devanagari fonts looked for, best first.
const QStringList& devanagariFonts();

// The first of the Devanagari fonts among the installed families; empty when none is.
QString defaultDevanagariFamily(const QStringList& installed);

// The families a pane draws with, first choice first: the family, then for a family without
// Devanagari (or for none) the default Devanagari family; without a family Arial leads, where
// installed, for Latin text.
QStringList paneFamilies(const QString& family, const QStringList& installed);
// The same for the fonts installed here.
QStringList paneFamilies(const QString& family);

// Read from and written to SettingsFileName. Sizes outside the offered range read as the default.
PaneFonts loadPaneFonts();
// Raises IniWriteError on a failed write.
void savePaneFonts(const PaneFonts& fonts);

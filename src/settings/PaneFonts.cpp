// The panes' fonts: defaults from the installed fonts, and their place in the settings file.
#include "PaneFonts.h"

#include "IniHelpers.h"
#include "Params.h"

#include <QFontDatabase>

namespace {

constexpr const char* Section = "Fonts";
const QString Arial = QStringLiteral("Arial");

bool hasDevanagari(const QString& family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Devanagari);
}

PaneFont loadPaneFont(const char* familyKey, const char* sizeKey)
{
    PaneFont font;
    font.family = QString::fromLocal8Bit(iniReadString(SettingsFileName, Section, familyKey));
    const int size = iniReadInteger(SettingsFileName, Section, sizeKey);
    font.pointSize
        = size >= MinPaneFontSize && size <= MaxPaneFontSize ? size : DefaultPaneFontSize;
    return font;
}

void savePaneFont(const PaneFont& font, const char* familyKey, const char* sizeKey)
{
    iniWriteString(SettingsFileName, Section, familyKey, font.family.toLocal8Bit().toStdString());
    iniWriteInteger(SettingsFileName, Section, sizeKey, font.pointSize);
}

} // namespace

const QStringList& devanagariFonts()
{
    static const QStringList fonts = {QStringLiteral("Noto Sans Devanagari"),
        QStringLiteral("Lohit Marathi"), QStringLiteral("Mukta")};
    return fonts;
}

QString defaultDevanagariFamily(const QStringList& installed)
{
    for (const QString& font : devanagariFonts()) {
        if (installed.contains(font, Qt::CaseInsensitive)) {
            return font;
        }
    }
    return QString();
}

QStringList paneFamilies(const QString& family, const QStringList& installed)
{
    QStringList families;
    if (family.isEmpty() && installed.contains(Arial, Qt::CaseInsensitive)) {
        families.append(Arial);
    }
    if (!family.isEmpty()) {
        families.append(family);
    }
    const QString devanagari = defaultDevanagariFamily(installed);
    const bool drawsDevanagari = !family.isEmpty()
        && installed.contains(family, Qt::CaseInsensitive) && hasDevanagari(family);
    if (!devanagari.isEmpty() && !drawsDevanagari
        && !families.contains(devanagari, Qt::CaseInsensitive)) {
        families.append(devanagari);
    }
    return families;
}

QStringList paneFamilies(const QString& family)
{
    return paneFamilies(family, QFontDatabase::families());
}

PaneFonts loadPaneFonts()
{
    return {loadPaneFont("InputFontName", "InputFontSize"),
        loadPaneFont("OutputFontName", "OutputFontSize")};
}

void savePaneFonts(const PaneFonts& fonts)
{
    savePaneFont(fonts.input, "InputFontName", "InputFontSize");
    savePaneFont(fonts.output, "OutputFontName", "OutputFontSize");
}

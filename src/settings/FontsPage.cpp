// The fonts page of the Options dialog.
#include "FontsPage.h"

#include "InterfaceNumbers.h"

#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

FontsPage::FontsPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("tsFonts");
    m_input = addRow("Input", QStringLiteral("Input pane font :"), 17, &PaneFonts::input);
    m_output = addRow("Output", QStringLiteral("Output pane font :"), 52, &PaneFonts::output);
}

FontsPage::Row FontsPage::addRow(
    const char* name, const QString& caption, int top, PaneFont PaneFonts::*font)
{
    Row row;
    row.label = new QLabel(caption, this);
    row.label->setObjectName(QStringLiteral("lab%1Font").arg(QLatin1String(name)));
    row.label->setGeometry(10, top + 4, 135, 14);
    row.family = new QFontComboBox(this);
    row.family->setObjectName(QStringLiteral("cmb%1Font").arg(QLatin1String(name)));
    row.family->setGeometry(150, top, 190, 22);
    row.size = new QSpinBox(this);
    row.size->setObjectName(QStringLiteral("edt%1Size").arg(QLatin1String(name)));
    row.size->setGeometry(350, top, 60, 22);
    row.size->setRange(MinPaneFontSize, MaxPaneFontSize);
    row.size->setLocale(InterfaceNumbers::locale());
    // Only the user's own picks change the fonts; showing them does not.
    connect(row.family, &QComboBox::activated, this, [this, family = row.family, font] {
        (m_fonts.*font).family = family->currentFont().family();
    });
    connect(row.size, &QSpinBox::valueChanged, this,
        [this, font](int size) { (m_fonts.*font).pointSize = size; });
    return row;
}

QList<QWidget*> FontsPage::controls() const
{
    return {m_input.family, m_input.size, m_output.family, m_output.size};
}

void FontsPage::showFonts(const PaneFonts& fonts)
{
    m_fonts = fonts;
    showFont(m_input, fonts.input);
    showFont(m_output, fonts.output);
}

void FontsPage::showFont(const Row& row, const PaneFont& font)
{
    const QSignalBlocker blockFamily(row.family);
    const QSignalBlocker blockSize(row.size);
    QString family = font.family;
    if (family.isEmpty()) {
        family = defaultDevanagariFamily(QFontDatabase::families());
    }
    if (!family.isEmpty()) {
        row.family->setCurrentFont(QFont(family));
    }
    row.size->setValue(font.pointSize);
}

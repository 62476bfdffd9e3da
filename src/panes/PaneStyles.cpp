// The style table as the program configures it.
#include "PaneStyles.h"

#include "CodePages.h"

#include <QGuiApplication>
#include <QPalette>

QFont TextStyle::font() const
{
    // A list of families ("Arial,Noto Sans Devanagari") draws each character in the first family
    // that has it.
    QStringList families;
    for (const QString& family : fontName.split(u',', Qt::SkipEmptyParts)) {
        families.append(family.trimmed());
    }
    QFont result(families.isEmpty() ? fontName : families.first());
    if (families.size() > 1) {
        result.setFamilies(families);
    }
    result.setPointSize(sizePoints);
    result.setBold(bold);
    result.setItalic(italic);
    result.setUnderline(underline);
    result.setStrikeOut(strikeOut);
    return result;
}

namespace {

TextStyle makeStyle(const QString& name, const QString& fontName, int size,
    std::optional<QColor> color, bool unicode)
{
    TextStyle style;
    style.name = name;
    style.fontName = fontName;
    style.sizePoints = size;
    style.color = color;
    style.unicode = unicode;
    return style;
}

} // namespace

PaneStyles::PaneStyles()
{
    m_textStyles.push_back(makeStyle("Normal text", "Tahoma", 14, std::nullopt, true));

    TextStyle heading = makeStyle("Heading", "Arial", 10, QColor(0, 0, 255), false);
    heading.bold = true;
    m_textStyles.push_back(heading);

    TextStyle subheading = makeStyle("Subheading", "Arial", 10, QColor(0, 0, 128), false);
    subheading.bold = true;
    m_textStyles.push_back(subheading);

    TextStyle keywords = makeStyle("Keywords", "Arial", 10, QColor(128, 0, 0), false);
    keywords.italic = true;
    m_textStyles.push_back(keywords);

    TextStyle jump1 = makeStyle("Jump 1", "Tahoma", 14, QColor(0, 0, 179), false);
    jump1.underline = true;
    jump1.jump = true;
    jump1.hoverColor = QColor(0, 0, 255);
    m_textStyles.push_back(jump1);

    TextStyle jump2 = makeStyle("Jump 2", "Arial", 10, QColor(0, 128, 0), false);
    jump2.underline = true;
    jump2.jump = true;
    m_textStyles.push_back(jump2);

    m_textStyles.push_back(makeStyle("NoUnicode", "Tahoma", 14, std::nullopt, false));

    m_paraStyles.push_back({"Paragraph Style", Qt::AlignLeft});
    m_paraStyles.push_back({"Centered", Qt::AlignHCenter});
}

int PaneStyles::codePageOf(int styleNo) const
{
    if (styleNo < 0) {
        return m_defaultCodePage;
    }
    return CodePages::ofCharset(textStyle(styleNo).charset, m_defaultCodePage);
}

QColor PaneStyles::backgroundColor() const
{
    return m_background.value_or(QGuiApplication::palette().color(QPalette::Base));
}

QColor PaneStyles::textColor(int styleNo) const
{
    return textStyle(styleNo).color.value_or(QGuiApplication::palette().color(QPalette::Text));
}

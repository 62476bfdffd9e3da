// The style table the two panes share: text styles (font, colour, Unicode storage, character set)
// and paragraph styles, with the table-wide settings the pane model and its files depend on.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

// Character set values of a text style; DefaultCharset takes the table's default code page.
constexpr int AnsiCharset = 0;
constexpr int DefaultCharset = 1;

struct TextStyle
{
    QString name;
    // One family, or several separated by commas, first choice first.
    QString fontName;
    int sizePoints = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // No colour means the system's window-text colour, resolved when drawn or written.
    std::optional<QColor> color;
    std::optional<QColor> hoverColor;
    int charset = DefaultCharset;
    bool unicode = false;
    bool jump = false;
    // Negative: subscript, positive: superscript.
    int verticalShift = 0;
    // The text is HTML code and is written to HTML pages unescaped.
    bool htmlCode = false;

    QFont font() const;
};

struct ParaStyle
{
    QString name;
    Qt::Alignment alignment = Qt::AlignLeft;
};

class PaneStyles
{
public:
    // The table as the program configures it: seven text styles, two paragraph styles.
    PaneStyles();

    int textStyleCount() const { return static_cast<int>(m_textStyles.size()); }
    TextStyle& textStyle(int styleNo) { return m_textStyles.at(static_cast<size_t>(styleNo)); }
    const TextStyle& textStyle(int styleNo) const
    {
        return m_textStyles.at(static_cast<size_t>(styleNo));
    }
    int paraStyleCount() const { return static_cast<int>(m_paraStyles.size()); }
    const ParaStyle& paraStyle(int paraNo) const
    {
        return m_paraStyles.at(static_cast<size_t>(paraNo));
    }

    // The code page text of the style is stored in when it is not Unicode.
    int codePageOf(int styleNo) const;

    int spacesPerTab() const { return m_spacesPerTab; }
    void setSpacesPerTab(int spaces) { m_spacesPerTab = spaces; }
    int defaultTabWidth() const { return m_defaultTabWidth; }
    int defaultCodePage() const { return m_defaultCodePage; }
    // No colour means the system's window colour.
    const std::optional<QColor>& background() const { return m_background; }

    // Colours with the system colours resolved to what they are now.
    QColor backgroundColor() const;
    QColor textColor(int styleNo) const;

private:
    std::vector<TextStyle> m_textStyles;
    std::vector<ParaStyle> m_paraStyles;
    int m_spacesPerTab = 0;
    int m_defaultTabWidth = 48;
    int m_defaultCodePage = 0;
    std::optional<QColor> m_background;
};

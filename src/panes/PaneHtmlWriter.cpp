// The HTML page of a pane document.
#include "PaneHtmlWriter.h"

namespace {

int htmlFontSize(int points)
{
    if (points <= 8) {
        return 1;
    }
    if (points <= 10) {
        return 2;
    }
    if (points <= 12) {
        return 3;
    }
    if (points <= 14) {
        return 4;
    }
    if (points <= 18) {
        return 5;
    }
    return points <= 24 ? 6 : 7;
}

QByteArray hexColor(const QColor& color)
{
    return QString::asprintf("#%02x%02x%02x", color.red(), color.green(), color.blue()).toLatin1();
}

// The window-text colour (no colour of its own) is written as black.
QByteArray styleColor(const TextStyle& style)
{
    return hexColor(style.color.value_or(QColor(0, 0, 0)));
}

// Runs of spaces alternate a plain space and "&nbsp;"; a space at either end is always "&nbsp;",
// so browsers keep every one of them.
QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    bool previousPlainSpace = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool plainSpace = c == u' ' && i != 0 && i != text.size() - 1 && !previousPlainSpace;
        previousPlainSpace = plainSpace;
        if (plainSpace) {
            out += c;
        } else if (c == u' ' || c == QChar(0xA0)) {
            out += QLatin1String("&nbsp;");
        } else if (c == u'&') {
            out += QLatin1String("&amp;");
        } else if (c == u'<') {
            out += QLatin1String("&lt;");
        } else if (c == u'>') {
            out += QLatin1String("&gt;");
        } else {
            out += c;
        }
    }
    return out;
}

// Text outside ASCII as character references, which every browser reads whatever its locale.
QByteArray ascii(const QString& text)
{
    QByteArray out;
    for (char32_t c : text.toUcs4()) {
        out += c < 0x80 ? QByteArray(1, static_cast<char>(c)) : "&#" + QByteArray::number(c) + ";";
    }
    return out;
}

struct FontTags
{
    QByteArray open;
    QByteArray close;
};

// The tags that switch the styles of base on or off to reach those of style.
FontTags styleTags(const TextStyle& style, const TextStyle& base)
{
    const std::pair<bool TextStyle::*, const char*> flags[] = {
        {&TextStyle::bold, "b"},
        {&TextStyle::italic, "i"},
        {&TextStyle::underline, "u"},
        {&TextStyle::strikeOut, "s"},
    };
    FontTags tags;
    for (const auto& [flag, name] : flags) {
        if (style.*flag != base.*flag) {
            const QByteArray on = QByteArray("<") + name + ">";
            const QByteArray off = QByteArray("</") + name + ">";
            tags.open += style.*flag ? on : off;
            tags.close.prepend(style.*flag ? off : on);
        }
    }
    const auto shiftTag = [](int shift) -> QByteArray {
        return shift < 0 ? "sub" : shift > 0 ? "sup" : "";
    };
    const QByteArray shift = shiftTag(style.verticalShift);
    if (shift != shiftTag(base.verticalShift) && !shift.isEmpty()) {
        tags.open += "<" + shift + ">";
        tags.close.prepend("</" + shift + ">");
    }
    return tags;
}

} // namespace

PaneHtmlWriter::PaneHtmlWriter(
    const PaneDocument& document, const QColor& background, const QMargins& margins)
    : m_document(document)
    , m_background(background)
    , m_margins(margins)
{ }

QByteArray PaneHtmlWriter::page(const QString& title, quint16 options) const
{
    using namespace HtmlOptions;
    const bool utf8 = options & Utf8;
    const bool xhtml = options & Xhtml;
    const quint16 parts = options & (OnlyHead | OnlyBody | OnlyClosing);
    const bool head = parts == 0 || (parts & OnlyHead);
    const bool body = parts == 0 || (parts & OnlyBody);
    const bool closing = parts == 0 || (parts & OnlyClosing);
    const bool defaultFont = !(options & NoDefaultFont);
    const QByteArray emptyTagEnd = xhtml ? " /" : "";
    const QByteArray charset = utf8 ? "UTF-8" : "US-ASCII";
    const auto encode = [utf8](const QString& text) { return utf8 ? text.toUtf8() : ascii(text); };
    // Attribute values are bare in HTML and quoted in XHTML.
    const auto value = [xhtml](const QByteArray& text) { return xhtml ? '"' + text + '"' : text; };

    QByteArray out;
    const auto line = [&out](const QByteArray& text) {
        out += text;
        out += "\r\n";
    };

    const PaneStyles& styles = m_document.styles();
    const TextStyle& base = styles.textStyle(0);

    if (head) {
        if (xhtml) {
            line("<?xml version=\"1.0\" encoding=\"" + charset + "\"?>");
        }
        line("<html><head><title>" + encode(title) + "</title>");
        line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\""
            + emptyTagEnd + ">");
        line("</head>");
        out += "<body bgcolor=\"" + hexColor(m_background) + "\"";
        line(" leftmargin=" + value(QByteArray::number(m_margins.left()))
            + " topmargin=" + value(QByteArray::number(m_margins.top()))
            + " rightmargin=" + value(QByteArray::number(m_margins.right()))
            + " bottommargin=" + value(QByteArray::number(m_margins.bottom())) + ">");
    }

    if (body) {
        const FontTags baseTags = styleTags(base, TextStyle {});
        if (defaultFont) {
            line("<font size=" + value(QByteArray::number(htmlFontSize(base.sizePoints)))
                + " color=\"" + styleColor(base) + "\" face=\"" + encode(base.fontName) + "\">"
                + baseTags.open);
        }
        const std::vector<PaneItem>& items = m_document.items();
        const int spaces = styles.spacesPerTab() <= 0 ? 8 : styles.spacesPerTab();
        const QByteArray tab = QByteArray(" &nbsp;").repeated((spaces + 1) / 2);
        bool paragraphOpen = false;
        for (size_t i = 0; i < items.size(); ++i) {
            const PaneItem& item = items[i];
            if (item.lineBreak) {
                line("<br" + emptyTagEnd + ">");
            }
            if (item.startsParagraph()) {
                if (paragraphOpen) {
                    line("</div>");
                }
                const Qt::Alignment align = styles.paraStyle(item.paraNo).alignment;
                const char* name = align & Qt::AlignRight ? "right"
                    : align & Qt::AlignHCenter            ? "center"
                    : align & Qt::AlignJustify            ? "justify"
                                                          : nullptr;
                out += name ? "<div align=" + value(name) + ">" : QByteArray("<div>");
                paragraphOpen = true;
            }
            if (item.isTab()) {
                out += tab;
                continue;
            }
            const QString text = m_document.getItemText(static_cast<int>(i));
            const bool wholeLine
                = item.startsLine() && (i + 1 == items.size() || items[i + 1].startsLine());
            if (text.isEmpty() && wholeLine) {
                out += "<br" + emptyTagEnd + ">";
                continue;
            }
            const TextStyle& style = styles.textStyle(item.styleNo);
            const QByteArray content = encode(style.htmlCode ? text : escaped(text));
            if (item.styleNo == 0) {
                out += content;
                continue;
            }
            QByteArray attributes;
            if (htmlFontSize(style.sizePoints) != htmlFontSize(base.sizePoints)) {
                attributes += " size=" + value(QByteArray::number(htmlFontSize(style.sizePoints)));
            }
            if (styleColor(style) != styleColor(base)) {
                attributes += " color=\"" + styleColor(style) + "\"";
            }
            if (style.fontName != base.fontName) {
                attributes += " face=\"" + encode(style.fontName) + "\"";
            }
            const FontTags tags = styleTags(style, base);
            if (!attributes.isEmpty()) {
                out += "<font" + attributes + ">";
            }
            out += tags.open + content + tags.close;
            if (!attributes.isEmpty()) {
                out += "</font>";
            }
        }
        if (paragraphOpen) {
            line("</div>");
        }
        if (defaultFont) {
            line(baseTags.close + "</font>");
        }
    }

    if (closing) {
        line("</body></html>");
    }
    return out;
}

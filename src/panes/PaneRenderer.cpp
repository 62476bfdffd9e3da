// Builds the shown text of a pane document in one pass and formats only what differs from the
// plain style, so that large documents go in quickly.
#include "PaneRenderer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Line ends inside an item's text show as line breaks without splitting the paragraph.
QString shownText(QString text)
{
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) {
            c = QChar::LineSeparator;
        }
    }
    return text;
}

} // namespace

namespace PaneRenderer {

std::vector<int> fill(QTextDocument& target, const PaneDocument& model, bool pageBreaks)
{
    const PaneStyles& styles = model.styles();
    const std::vector<PaneItem>& items = model.items();
    const int count = model.itemCount();
    std::vector<int> starts(items.size());
    QString text;
    for (int i = 0; i < count; ++i) {
        const PaneItem& item = items[static_cast<size_t>(i)];
        if (i > 0 && item.startsLine()) {
            const bool newBlock = item.startsParagraph() || (pageBreaks && item.pageBreak);
            text += newBlock ? QChar(u'\n') : QChar::LineSeparator;
        }
        starts[static_cast<size_t>(i)] = static_cast<int>(text.size());
        text += shownText(model.displayText(i));
    }
    target.setPlainText(text);

    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    for (int i = 0; i < count; ++i) {
        const PaneItem& item = items[static_cast<size_t>(i)];
        const int start = starts[static_cast<size_t>(i)];
        if ((item.startsParagraph() && item.paraNo > 0) || (pageBreaks && item.pageBreak)) {
            cursor.setPosition(start);
            QTextBlockFormat format = cursor.blockFormat();
            if (item.startsParagraph()) {
                format.setAlignment(styles.paraStyle(item.paraNo).alignment);
            }
            if (pageBreaks && item.pageBreak && i > 0) {
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            }
            cursor.setBlockFormat(format);
        }
        const int style = item.isTab() ? item.associatedStyle : item.styleNo;
        if (style <= 0) {
            continue;
        }
        const int end
            = i + 1 < count ? starts[static_cast<size_t>(i + 1)] : static_cast<int>(text.size());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFont(styles.textStyle(style).font());
        format.setForeground(styles.textColor(style));
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
    return starts;
}

} // namespace PaneRenderer

// Builds the shown text of a pane document in one pass and formats only what differs from the
// plain style, so that large documents go in quickly.
#include "PaneRenderer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// Line ends inside an item's text show as line breaks without splitting the paragraph.
void showLineEnds(QChar* begin, QChar* end)
{
    for (QChar* c = begin; c != end; ++c) {
        if (*c == u'\r' || *c == u'\n' || *c == QChar::ParagraphSeparator) {
            *c = QChar::LineSeparator;
        }
    }
}

} // namespace

namespace PaneRenderer {

bool continuesParagraph(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(ContinuesParagraph);
}

std::vector<int> fill(QTextDocument& target, const PaneDocument& model, bool pageBreaks)
{
    const PaneStyles& styles = model.styles();
    const std::vector<PaneItem>& items = model.items();
    const int count = model.itemCount();
    std::vector<int> starts(items.size());
    // A line inside a paragraph is a block of its own that says so: a file's lines are one
    // paragraph, and one block of them all would be laid out whole at every change.
    const auto continues = [](const PaneItem& item) { return item.startsLine() && item.lineBreak; };

    int blocks = 1;
    int lines = 0;
    for (int i = 1; i < count; ++i) {
        const PaneItem& item = items[static_cast<size_t>(i)];
        blocks += item.startsLine() ? 1 : 0;
        lines += continues(item) ? 1 : 0;
    }

    // New blocks take the format of the block the text goes into, so the kind most blocks have
    // is set first and only the others are changed afterwards.
    QTextBlockFormat lineFormat;
    lineFormat.setProperty(ContinuesParagraph, true);
    const bool mostlyLines = lines * 2 > blocks;
    QTextCursor cursor(&target);
    if (target.isUndoRedoEnabled()) {
        // The old text stays in the document's undo history, so the new content is one step the
        // user can undo.
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
    } else {
        target.clear();
        cursor.beginEditBlock();
    }
    cursor.setBlockFormat(mostlyLines ? lineFormat : QTextBlockFormat());
    cursor.setCharFormat(QTextCharFormat());

    // The text goes in by pieces of whole lines, so a big document is not held twice.
    constexpr qsizetype PieceLength = 1 << 20;
    QString piece;
    int inserted = 0;
    for (int i = 0; i < count; ++i) {
        const PaneItem& item = items[static_cast<size_t>(i)];
        if (i > 0 && item.startsLine()) {
            if (piece.size() >= PieceLength) {
                cursor.insertText(piece);
                inserted += static_cast<int>(piece.size());
                piece.resize(0);
            }
            piece += QChar(u'\n');
        }
        const qsizetype at = piece.size();
        starts[static_cast<size_t>(i)] = inserted + static_cast<int>(at);
        if (item.isTab()) {
            piece += QChar(u'\t');
        } else if (item.isUnicode) {
            // Stored UTF-16LE units; an odd last byte is dropped.
            piece.resize(at + item.stored.size() / 2);
            const auto* in = reinterpret_cast<const unsigned char*>(item.stored.constData());
            QChar* out = piece.data() + at;
            for (qsizetype k = 0; k + 1 < item.stored.size(); k += 2) {
                *out++ = QChar(static_cast<char16_t>(in[k] | (in[k + 1] << 8)));
            }
        } else {
            piece += model.displayText(i);
        }
        showLineEnds(piece.data() + at, piece.data() + piece.size());
    }
    cursor.insertText(piece);
    const int textEnd = inserted + static_cast<int>(piece.size());
    piece = QString();

    int alignedPara = 0;
    for (int i = 0; i < count; ++i) {
        const PaneItem& item = items[static_cast<size_t>(i)];
        const int start = starts[static_cast<size_t>(i)];
        if (i == 0 || item.startsLine()) {
            // The first block always starts a paragraph.
            const bool line = i > 0 && continues(item);
            if (item.startsParagraph()) {
                alignedPara = item.paraNo;
            }
            const bool pageBreak = pageBreaks && item.pageBreak && i > 0;
            if (line != mostlyLines || alignedPara > 0 || pageBreak) {
                QTextBlockFormat format = line ? lineFormat : QTextBlockFormat();
                if (alignedPara > 0) {
                    format.setAlignment(styles.paraStyle(alignedPara).alignment);
                }
                if (pageBreak) {
                    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                }
                cursor.setPosition(start);
                cursor.setBlockFormat(format);
            }
        }
        const int style = item.isTab() ? item.associatedStyle : item.styleNo;
        if (style <= 0) {
            continue;
        }
        const int end = i + 1 < count ? starts[static_cast<size_t>(i + 1)] : textEnd;
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

// The pane widget over its document model.
#include "Pane.h"

#include "PaneHtmlWriter.h"
#include "PaneRenderer.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

constexpr int PaneMargin = 5;

// The punctuation of Devanagari (danda, double danda, abbreviation sign and the marks of its
// extended block) ends a word in either pane, so a word before a danda is selected alone.
bool isDevanagariPunctuation(QChar c)
{
    const char16_t code = c.unicode();
    return code == 0x0964 || code == 0x0965 || code == 0x0970 || (code >= 0xA8F8 && code <= 0xA8FA)
        || code == 0xA8FC;
}

} // namespace

Pane::Pane(PaneStyles& styles, int tag, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_styles(styles)
    , m_tag(tag)
    , m_document(styles)
{
    document()->setDocumentMargin(PaneMargin);
    setTabStopDistance(styles.defaultTabWidth());
    // A scroll bar that comes and goes changes the text width, and every change of width lays
    // out every block again: with a big text that is seconds and a layout object per line.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    applyStyleFonts();
    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (!m_rendering) {
            m_widgetEdited = true;
        }
        if (m_fontHeldBack) {
            // Not inside the document's change: the new font lays out the whole text again.
            QTimer::singleShot(0, this, &Pane::showHeldBackFont);
        }
    });
}

const PaneDocument& Pane::model() const
{
    syncFromWidget();
    return m_document;
}

void Pane::syncFromWidget() const
{
    // Changes made through the model win over typing the widget has not shown yet.
    if (!m_widgetEdited || m_modelChanged) {
        return;
    }
    m_widgetEdited = false;
    m_document.clear();
    m_itemStarts.clear();
    const QTextDocument* shown = document();
    if (shown->blockCount() == 1 && shown->firstBlock().length() <= 1) {
        return;
    }
    m_document.reserve(shown->blockCount());
    for (QTextBlock block = shown->firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        bool paragraphStart = !PaneRenderer::continuesParagraph(block);
        for (qsizetype lineStart = 0; lineStart <= text.size();) {
            qsizetype lineEnd = text.indexOf(QChar::LineSeparator, lineStart);
            if (lineEnd < 0) {
                lineEnd = text.size();
            }
            bool lineStartPending = true;
            const auto addText = [&](qsizetype from, qsizetype to) {
                PaneItem item = m_document.makeTextItem(text.mid(from, to - from), 0);
                if (!lineStartPending) {
                    item.setContinuesLine();
                } else if (!paragraphStart) {
                    item.setLineBreak();
                }
                m_document.append(std::move(item));
                m_itemStarts.push_back(block.position() + static_cast<int>(from));
                lineStartPending = false;
            };
            qsizetype segmentStart = lineStart;
            for (qsizetype i = lineStart; i < lineEnd; ++i) {
                if (text[i] != u'\t') {
                    continue;
                }
                if (i > segmentStart || lineStartPending) {
                    addText(segmentStart, i);
                }
                m_document.addTabItem(0);
                m_itemStarts.push_back(block.position() + static_cast<int>(i));
                segmentStart = i + 1;
            }
            if (lineEnd > segmentStart || lineStartPending) {
                addText(segmentStart, lineEnd);
            }
            paragraphStart = false;
            lineStart = lineEnd + 1;
        }
    }
}

void Pane::render()
{
    showHeldBackFont();
    m_rendering = true;
    QTextCursor undoStep(document());
    if (m_provisional) {
        undoStep.joinPreviousEditBlock();
    } else {
        undoStep.beginEditBlock();
    }
    m_provisional = false;
    m_itemStarts = PaneRenderer::fill(*document(), m_document, false);
    undoStep.endEditBlock();
    m_modelChanged = false;
    m_widgetEdited = false;
    m_rendering = false;
}

void Pane::applyStyleFonts()
{
    m_rendering = true;
    QFont shown = m_styles.textStyle(0).font();
    if (m_zoomPoints != 0) {
        shown.setPointSize(
            std::clamp(shown.pointSize() + m_zoomPoints, MinShownPoints, MaxShownPoints));
    }
    setFont(shown);
    m_rendering = false;
}

void Pane::changeEvent(QEvent* event)
{
    // Loading a font costs milliseconds, and an empty pane looks the same in any font: until it
    // has been painted once or holds text, the document keeps the font it was created with, so
    // the window appears without waiting for the panes' fonts.
    if (event->type() == QEvent::FontChange && !m_painted && document()->isEmpty()) {
        m_fontHeldBack = true;
        return;
    }
    QPlainTextEdit::changeEvent(event);
}

void Pane::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &Pane::showHeldBackFont);
    }
}

void Pane::showHeldBackFont()
{
    if (std::exchange(m_fontHeldBack, false)) {
        QEvent fontChange(QEvent::FontChange);
        QPlainTextEdit::changeEvent(&fontChange);
    }
}

void Pane::setZoomPoints(int points)
{
    m_zoomPoints = points;
    reformat();
}

void Pane::clear()
{
    m_document.clear();
    m_itemStarts.clear();
    m_modelChanged = true;
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

void Pane::format()
{
    applyStyleFonts();
    if (m_modelChanged) {
        render();
    }
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

void Pane::reformat()
{
    const int firstVisible = verticalScrollBar()->value();
    applyStyleFonts();
    if (m_modelChanged) {
        render();
    }
    verticalScrollBar()->setValue(firstVisible);
}

int Pane::addTextItem(const QString& text, int styleNo, int paraNo, int tag)
{
    syncFromWidget();
    m_modelChanged = true;
    return m_document.addTextItem(text, styleNo, paraNo, tag);
}

void Pane::reserveItems(int count)
{
    syncFromWidget();
    m_document.reserve(m_document.itemCount() + count);
}

void Pane::setItemText(int index, const QString& text)
{
    syncFromWidget();
    m_document.setItemText(index, text);
    m_modelChanged = true;
}

QString Pane::getItemText(int index) const
{
    return model().getItemText(index);
}

int Pane::itemCount() const
{
    return model().itemCount();
}

std::pair<int, int> Pane::itemAt(int position) const
{
    const auto next = std::upper_bound(m_itemStarts.begin(), m_itemStarts.end(), position);
    const int index = std::max(0, static_cast<int>(next - m_itemStarts.begin()) - 1);
    return {index, position - m_itemStarts[static_cast<size_t>(index)]};
}

QString Pane::getSelectedText() const
{
    syncFromWidget();
    const QTextCursor cursor = textCursor();
    // While the model holds changes not yet shown, the widget's selection refers to older text.
    if (m_modelChanged || !cursor.hasSelection() || m_itemStarts.empty()) {
        return {};
    }
    const auto [first, firstOffset] = itemAt(cursor.selectionStart());
    const auto [last, lastOffset] = itemAt(cursor.selectionEnd());
    return m_document.plainText(first, firstOffset, last, lastOffset);
}

bool Pane::loadTextFile(const QString& fileName, int styleNo, int paraNo, bool oneParagraph)
{
    syncFromWidget();
    const bool loaded = m_document.loadTextFile(fileName, styleNo, paraNo, oneParagraph);
    m_modelChanged = m_modelChanged || loaded;
    return loaded;
}

void Pane::appendDocument(PaneDocument&& loaded)
{
    syncFromWidget();
    m_modelChanged = m_modelChanged || loaded.itemCount() > 0;
    m_document.appendDocument(std::move(loaded));
}

bool Pane::saveTextFile(const QString& fileName, int lineWidth) const
{
    return model().saveTextFile(fileName, lineWidth);
}

bool Pane::saveHtmlFile(const QString& fileName, const QString& title,
    const QString& /*imagePrefix: the panes hold no pictures*/, quint16 options) const
{
    try {
        const QByteArray page
            = PaneHtmlWriter(model(), backgroundColor(), paneMargins()).page(title, options);
        QSaveFile file(fileName);
        file.setDirectWriteFallback(true);
        return file.open(QIODevice::WriteOnly) && file.write(page) == page.size() && file.commit();
    } catch (...) {
        return false;
    }
}

QMargins Pane::paneMargins() const
{
    return QMargins(PaneMargin, PaneMargin, PaneMargin, PaneMargin);
}

QColor Pane::backgroundColor() const
{
    return m_styles.backgroundColor();
}

void Pane::contextMenuEvent(QContextMenuEvent* event)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&Pane::contextPopup))) {
        event->accept();
        emit contextPopup(event->pos());
        return;
    }
    QPlainTextEdit::contextMenuEvent(event);
}

void Pane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursor(cursor);
    }
    QPlainTextEdit::mousePressEvent(event);
}

bool Pane::isDelimiter(QChar c) const
{
    return c.isNull() || c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\t'
        || m_wordDelimiters.contains(c) || isDevanagariPunctuation(c);
}

int Pane::wordStart(int position) const
{
    while (position > 0 && !isDelimiter(document()->characterAt(position - 1))) {
        --position;
    }
    return position;
}

int Pane::wordEnd(int position) const
{
    const int end = document()->characterCount() - 1;
    while (position < end && !isDelimiter(document()->characterAt(position))) {
        ++position;
    }
    return position;
}

void Pane::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        return;
    }
    const int position = cursorForPosition(event->position().toPoint()).position();
    QTextCursor cursor = textCursor();
    cursor.setPosition(wordStart(position));
    cursor.setPosition(wordEnd(position), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    event->accept();
}

void Pane::keyPressEvent(QKeyEvent* event)
{
    // The read-only pane takes no typing, but its commands (paste, clear, a translation) can be
    // undone and redone like the input pane's.
    if (isReadOnly() && (event == QKeySequence::Undo || event == QKeySequence::Redo)) {
        if (event == QKeySequence::Undo) {
            document()->undo();
        } else {
            document()->redo();
        }
        event->accept();
        return;
    }
    // Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab leave the pane.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && (event->modifiers() & Qt::ControlModifier)) {
        const bool forward
            = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(forward);
        event->accept();
        return;
    }
    const bool next
        = event == QKeySequence::MoveToNextWord || event == QKeySequence::SelectNextWord;
    const bool previous
        = event == QKeySequence::MoveToPreviousWord || event == QKeySequence::SelectPreviousWord;
    if (!next && !previous) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Words end at the pane's own delimiters: forward to the start of the next word, backward to
    // the start of the previous one.
    const QTextDocument* shown = document();
    const int end = shown->characterCount() - 1;
    QTextCursor cursor = textCursor();
    int position = cursor.position();
    if (next) {
        position = wordEnd(position);
        while (position < end && isDelimiter(shown->characterAt(position))) {
            ++position;
        }
    } else {
        while (position > 0 && isDelimiter(shown->characterAt(position - 1))) {
            --position;
        }
        position = wordStart(position);
    }
    const bool select
        = event == QKeySequence::SelectNextWord || event == QKeySequence::SelectPreviousWord;
    cursor.setPosition(position, select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    event->accept();
}

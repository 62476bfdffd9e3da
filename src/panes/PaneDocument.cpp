// The pane document model and its plain-text files.
#include "PaneDocument.h"

#include "CodePages.h"
#include "Exception.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

PaneDocument::PaneDocument(const PaneStyles& styles)
    : m_styles(&styles)
{ }

const PaneItem& PaneDocument::item(int index) const
{
    if (index < 0 || index >= itemCount()) {
        throw Exception(QString("Item index out of range (%1)").arg(index).toStdString());
    }
    return m_items[static_cast<size_t>(index)];
}

void PaneDocument::clear()
{
    m_items.clear();
}

PaneItem PaneDocument::makeTextItem(const QString& text, int styleNo) const
{
    PaneItem item;
    item.styleNo = styleNo;
    item.isUnicode = m_styles->textStyle(styleNo).unicode;
    item.stored = item.isUnicode ? CodePages::toUtf16Le(text)
                                 : CodePages::fromUnicode(text, m_styles->codePageOf(styleNo));
    return item;
}

QString PaneDocument::textOf(const PaneItem& item) const
{
    if (!item.isText()) {
        return {};
    }
    if (item.isUnicode) {
        return CodePages::fromUtf16Le(item.stored);
    }
    return CodePages::toUnicode(item.stored, m_styles->codePageOf(item.styleNo));
}

int PaneDocument::addTextItem(const QString& text, int styleNo, int paraNo, int tag)
{
    PaneItem item = makeTextItem(text, styleNo);
    item.paraNo = paraNo;
    item.tag = tag;
    append(std::move(item));
    return itemCount() - 1;
}

int PaneDocument::addTabItem(int associatedStyle)
{
    PaneItem item;
    item.styleNo = PaneItem::TabKind;
    item.associatedStyle = associatedStyle;
    item.setContinuesLine();
    append(std::move(item));
    return itemCount() - 1;
}

void PaneDocument::append(PaneItem item)
{
    if (m_items.empty()) {
        // The first item of a document always starts a paragraph.
        item.continuesLine = false;
        item.lineBreak = false;
    }
    m_items.push_back(std::move(item));
}

void PaneDocument::setItemText(int index, const QString& text)
{
    PaneItem& target = const_cast<PaneItem&>(item(index));
    if (!target.isText()) {
        return;
    }
    target.stored = makeTextItem(text, target.styleNo).stored;
}

QString PaneDocument::getItemText(int index) const
{
    return textOf(item(index));
}

QString PaneDocument::displayText(int index) const
{
    const PaneItem& shown = item(index);
    return shown.isTab() ? QStringLiteral("\t") : textOf(shown);
}

QString PaneDocument::plainText(int first, int firstOffset, int last, int lastOffset) const
{
    QString text;
    for (int i = first; i <= last; ++i) {
        if (i != first && item(i).startsLine()) {
            text += QStringLiteral("\r\n");
        }
        QString piece = displayText(i);
        if (i == last) {
            piece.truncate(lastOffset);
        }
        text += i == first ? piece.mid(firstOffset) : piece;
    }
    return text;
}

namespace {

// The file's text: a byte order mark selects UTF-8 or UTF-16, otherwise the code page applies.
QString decodeFile(const QByteArray& bytes, int codePage, bool* windows1252)
{
    struct Mark
    {
        QByteArrayView bytes;
        QStringConverter::Encoding encoding;
    };
    static const Mark marks[] = {
        {"\xEF\xBB\xBF", QStringConverter::Utf8},
        {"\xFF\xFE", QStringConverter::Utf16LE},
        {"\xFE\xFF", QStringConverter::Utf16BE},
    };
    for (const Mark& mark : marks) {
        if (bytes.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, QStringConverter::Flag::Stateless);
            return decoder.decode(QByteArrayView(bytes).sliced(mark.bytes.size()));
        }
    }
    static const bool systemIsUtf8
        = QStringDecoder(QStringConverter::System).decode(QByteArrayView("\xC3\xA9"))
        == QString(QChar(0xE9));
    const bool fallBack = codePage == 0 && systemIsUtf8 && !CodePages::isUtf8(bytes);
    if (windows1252) {
        *windows1252 = fallBack;
    }
    return fallBack ? CodePages::fromWindows1252(bytes) : CodePages::toUnicode(bytes, codePage);
}

} // namespace

bool PaneDocument::loadTextFile(const QString& fileName, int styleNo, int paraNo, bool oneParagraph)
{
    try {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            return false;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return false;
        }
        // Built aside, so that a failure leaves the document as it was.
        PaneDocument loaded(*m_styles);
        loaded.appendFileText(decodeFileText(bytes, styleNo), styleNo, paraNo, oneParagraph);
        appendDocument(std::move(loaded));
        return true;
    } catch (...) {
        return false;
    }
}

QString PaneDocument::decodeFileText(const QByteArray& bytes, int styleNo, bool* windows1252) const
{
    return decodeFile(bytes, m_styles->codePageOf(styleNo), windows1252);
}

void PaneDocument::appendFileText(QString text, int styleNo, int paraNo, bool oneParagraph)
{
    if (text.isEmpty()) {
        return;
    }
    text.replace(QChar(0), QChar('?'));
    // Every item ends at one of these, so their count bounds the items a big file makes.
    qsizetype ends = 1;
    for (const QChar c : text) {
        ends += c == u'\n' || c == u'\r' || c == u'\f' || c == u'\t' ? 1 : 0;
    }
    m_items.reserve(m_items.size() + static_cast<size_t>(std::min(ends, text.size() + 1)));
    appendLoadedText(text, styleNo, paraNo, oneParagraph);
}

void PaneDocument::appendDocument(PaneDocument&& other)
{
    if (m_items.empty() && !other.m_items.empty()) {
        m_items = std::move(other.m_items);
        other.m_items.clear();
        // The first item of a document always starts a paragraph.
        m_items.front().continuesLine = false;
        m_items.front().lineBreak = false;
        return;
    }
    m_items.reserve(m_items.size() + other.m_items.size());
    for (PaneItem& item : other.m_items) {
        append(std::move(item));
    }
    other.m_items.clear();
}

void PaneDocument::appendLoadedText(const QString& text, int styleNo, int paraNo, bool oneParagraph)
{
    const bool tabItems = m_styles->spacesPerTab() <= 0;
    qsizetype segmentStart = 0;
    bool newParagraph = paraNo >= 0;
    bool pageBreak = false;
    char16_t partner = 0;

    auto flush = [&](qsizetype end) {
        const QStringView segment = QStringView(text).sliced(segmentStart, end - segmentStart);
        if (!segment.isEmpty() || newParagraph) {
            PaneItem item = makeTextItem(segment.toString(), styleNo);
            if (newParagraph || pageBreak) {
                item.paraNo = paraNo;
                if (oneParagraph && !m_items.empty()) {
                    item.setLineBreak();
                }
            } else {
                item.setContinuesLine();
            }
            if (pageBreak) {
                item.setPageBreak();
                pageBreak = false;
            }
            m_items.push_back(std::move(item));
        }
        newParagraph = false;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (partner != 0 && c == partner) {
            segmentStart = i + 1;
            partner = 0;
            continue;
        }
        partner = 0;
        const bool tab = c == u'\t' && tabItems;
        if (c == u'\n' || c == u'\f' || c == u'\r' || tab) {
            flush(i);
            segmentStart = i + 1;
        }
        if (tab) {
            addTabItem(styleNo);
        } else if (c == u'\n') {
            newParagraph = true;
            partner = u'\r';
        } else if (c == u'\r') {
            newParagraph = true;
            partner = u'\n';
        } else if (c == u'\f') {
            newParagraph = true;
            pageBreak = true;
        }
    }
    flush(text.size());
}

namespace {

bool writeWholeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    // A file in a folder we may not create files in is still written in place.
    file.setDirectWriteFallback(true);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString PaneDocument::wholeText() const
{
    if (m_items.empty()) {
        return {};
    }
    const int last = itemCount() - 1;
    return plainText(0, 0, last, static_cast<int>(displayText(last).size()));
}

bool PaneDocument::saveTextFile(const QString& fileName, int /*lineWidth*/) const
{
    try {
        return writeWholeFile(fileName,
            m_items.empty() ? QByteArray() : "\xFF\xFE" + CodePages::toUtf16Le(wholeText()));
    } catch (...) {
        return false;
    }
}

bool PaneDocument::saveWindows1252TextFile(const QString& fileName) const
{
    try {
        const std::optional<QByteArray> bytes = CodePages::toWindows1252(wholeText());
        return bytes && writeWholeFile(fileName, *bytes);
    } catch (...) {
        return false;
    }
}

bool PaneDocument::saveUtf8TextFile(const QString& fileName) const
{
    try {
        return writeWholeFile(
            fileName, wholeText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());
    } catch (...) {
        return false;
    }
}

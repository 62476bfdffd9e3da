// Panes as plain text.
#include "PaneText.h"

#include "Exception.h"
#include "Pane.h"
#include "PaneDocument.h"

#include <QScopeGuard>

namespace {

bool isSpaceOrControl(char16_t c)
{
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x70F || c == 0x1680
        || (c >= 0x180B && c <= 0x180E) || (c >= 0x2000 && c <= 0x200F) || c == 0x2028
        || (c >= 0x202A && c <= 0x202F) || (c >= 0x206A && c <= 0x206F) || c == 0x3000
        || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

} // namespace

QString trimSpaceAndControl(QString text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpaceOrControl(text[begin].unicode())) {
        ++begin;
    }
    while (end > begin && isSpaceOrControl(text[end - 1].unicode())) {
        --end;
    }
    // In place: a big pane's text is not copied again.
    text.truncate(end);
    text.remove(0, begin);
    return text;
}

namespace {

// Calls take(line) for each line of text in order.
template <class Take> void forEachPaneLine(const QString& text, Take take)
{
    static const QString crLf = QStringLiteral("\r\n");
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(crLf, start);
        if (end < 0) {
            end = text.size();
        }
        take(QStringView(text).sliced(start, end - start));
        start = end + crLf.size();
    }
}

// Counts the lines first, so that a refused text changes nothing and the items are sized once.
qsizetype countPaneLines(const QString& text)
{
    qsizetype count = 0;
    forEachPaneLine(text, [&count](QStringView line) {
        if (line.size() > MaxPaneLineLength) {
            throw Exception("Line too long");
        }
        ++count;
    });
    return count;
}

} // namespace

QStringList splitPaneLines(const QString& text)
{
    QStringList lines;
    lines.reserve(countPaneLines(text));
    forEachPaneLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

QString getPaneText(const Pane& pane)
{
    const PaneDocument& model = pane.model();
    const int count = model.itemCount();
    qsizetype length = 0;
    for (const PaneItem& item : model.items()) {
        length += (item.isUnicode ? item.stored.size() / 2 : item.stored.size()) + 2;
    }
    QString text;
    text.reserve(length);
    for (int i = 0; i < count; ++i) {
        text += model.getItemText(i);
        text += QLatin1String("\r\n");
    }
    return trimSpaceAndControl(text);
}

void setPaneText(Pane& pane, const QString& text)
{
    if (text.size() > MaxPaneTextLength) {
        throw Exception("The text is larger than 64 MB and was not put into the pane");
    }
    pane.clear();
    // Also when a line is refused, the pane shows what it holds, so nothing the user sees or
    // types there is left out of its items.
    const auto formatted = qScopeGuard([&pane] { pane.format(); });
    pane.reserveItems(static_cast<int>(countPaneLines(text)));
    int index = 0;
    forEachPaneLine(text, [&pane, &index](QStringView line) {
        pane.addTextItem(QString(), 0, 0, 0);
        pane.setItemText(index++, line.toString());
    });
}

void setPaneLine(Pane& pane, const QString& text)
{
    pane.clear();
    pane.addTextItem(QString(), 0, 0, 0);
    pane.setItemText(0, text);
    pane.format();
}

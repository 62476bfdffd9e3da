// Panes as plain text.
#include "PaneText.h"

#include "Exception.h"
#include "Pane.h"

#include <QScopeGuard>

namespace {

constexpr qsizetype MaxLineLength = 65535;

bool isSpaceOrControl(char16_t c)
{
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x70F || c == 0x1680
        || (c >= 0x180B && c <= 0x180E) || (c >= 0x2000 && c <= 0x200F) || c == 0x2028
        || (c >= 0x202A && c <= 0x202F) || (c >= 0x206A && c <= 0x206F) || c == 0x3000
        || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

} // namespace

QString trimSpaceAndControl(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpaceOrControl(text[begin].unicode())) {
        ++begin;
    }
    while (end > begin && isSpaceOrControl(text[end - 1].unicode())) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QStringList splitPaneLines(const QString& text)
{
    static const QString crLf = QStringLiteral("\r\n");
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(crLf, start);
        if (end < 0) {
            end = text.size();
        }
        if (end - start > MaxLineLength) {
            throw Exception("Line too long");
        }
        lines.append(text.mid(start, end - start));
        start = end + crLf.size();
    }
    return lines;
}

QString getPaneText(const Pane& pane)
{
    static const QString crLf = QStringLiteral("\r\n");
    QString text;
    const int count = pane.itemCount();
    for (int i = 0; i < count; ++i) {
        text += pane.getItemText(i);
        text += crLf;
    }
    return trimSpaceAndControl(text);
}

void setPaneText(Pane& pane, const QString& text)
{
    pane.clear();
    // Also when a line is refused, the pane shows what it holds, so nothing the user sees or
    // types there is left out of its items.
    const auto formatted = qScopeGuard([&pane] { pane.format(); });
    const QStringList lines = splitPaneLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        pane.addTextItem(QString(), 0, 0, 0);
        pane.setItemText(static_cast<int>(i), lines[i]);
    }
}

void setPaneLine(Pane& pane, const QString& text)
{
    pane.clear();
    pane.addTextItem(QString(), 0, 0, 0);
    pane.setItemText(0, text);
    pane.format();
}

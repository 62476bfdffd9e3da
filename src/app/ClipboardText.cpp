// Plain text to and from the system clipboard.
#include "ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>

QString ClipboardText::toPaneLineEnds(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            result += QStringLiteral("\r\n");
        } else if (c == u'\n') {
            result += QStringLiteral("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

QString ClipboardText::toClipboardLineEnds(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QString ClipboardText::read()
{
    QString text = QGuiApplication::clipboard()->text();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        text.truncate(nul);
    }
    text = toPaneLineEnds(text);
    m_seen = text;
    return text;
}

void ClipboardText::write(const QString& text)
{
    QGuiApplication::clipboard()->setText(toClipboardLineEnds(text));
    m_seen = toPaneLineEnds(toClipboardLineEnds(text));
}

std::optional<QString> ClipboardText::readNew()
{
    const std::optional<QString> before = m_seen;
    QString text = read();
    if (before && *before == text) {
        return std::nullopt;
    }
    return text;
}

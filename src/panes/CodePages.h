// Conversions between 8-bit text in a code page and UTF-16. Code page 0 is the locale's 8-bit
// encoding; other code pages use the converter of that name where Qt has one, else code page 0.
#pragma once

#include <QByteArray>
#include <QString>

namespace CodePages {

// The code page that belongs to a character set; DefaultCharset gives defaultCodePage.
int ofCharset(int charset, int defaultCodePage);

// Unconvertible input becomes "?"; an empty input stays empty.
QString toUnicode(const QByteArray& bytes, int codePage);
QByteArray fromUnicode(const QString& text, int codePage);

// Stored UTF-16LE code units; an odd last byte is dropped.
QString fromUtf16Le(const QByteArray& bytes);
QByteArray toUtf16Le(const QString& text);

} // namespace CodePages

// Conversions between 8-bit text in a code page and UTF-16. Code page 0 is the locale's 8-bit
// encoding; other code pages use the converter of that name where Qt has one, else code page 0.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace CodePages {

// The code page that belongs to a character set; DefaultCharset gives defaultCodePage.
int ofCharset(int charset, int defaultCodePage);

// Unconvertible input becomes "?"; an empty input stays empty.
QString toUnicode(const QByteArray& bytes, int codePage);
QByteArray fromUnicode(const QString& text, int codePage);

// Windows-1252, the usual 8-bit encoding of Western text files (a superset of Latin-1), with the
// five bytes it leaves undefined taken as the control characters of the same number, so that every
// byte comes back as it was: toWindows1252(fromWindows1252(bytes)) == bytes.
QString fromWindows1252(const QByteArray& bytes);
// Nothing when the text holds a character Windows-1252 cannot.
std::optional<QByteArray> toWindows1252(const QString& text);

// Whether the bytes are well-formed UTF-8.
bool isUtf8(const QByteArray& bytes);

// Stored UTF-16LE code units; an odd last byte is dropped.
QString fromUtf16Le(const QByteArray& bytes);
QByteArray toUtf16Le(const QString& text);

} // namespace CodePages

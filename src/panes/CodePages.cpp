// Code-page conversions over Qt's string converters.
#include "CodePages.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <QSysInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

// Encoding names of the Windows code pages a character set can select.
const char* encodingName(int codePage)
{
    static const std::array<std::pair<int, const char*>, 15> names = {{
        {874, "windows-874"},
        {932, "Shift_JIS"},
        {936, "GBK"},
        {949, "EUC-KR"},
        {950, "Big5"},
        {1250, "windows-1250"},
        {1251, "windows-1251"},
        {1252, "windows-1252"},
        {1253, "windows-1253"},
        {1254, "windows-1254"},
        {1255, "windows-1255"},
        {1256, "windows-1256"},
        {1257, "windows-1257"},
        {1258, "windows-1258"},
        {1361, "Johab"},
    }};
    for (const auto& [number, name] : names) {
        if (number == codePage) {
            return name;
        }
    }
    return nullptr;
}

QStringDecoder decoderFor(int codePage)
{
    if (const char* name = encodingName(codePage)) {
        QStringDecoder decoder(name);
        if (decoder.isValid()) {
            return decoder;
        }
    }
    return QStringDecoder(QStringConverter::System);
}

QStringEncoder encoderFor(int codePage)
{
    if (const char* name = encodingName(codePage)) {
        QStringEncoder encoder(name);
        if (encoder.isValid()) {
            return encoder;
        }
    }
    return QStringEncoder(QStringConverter::System);
}

} // namespace

namespace CodePages {

int ofCharset(int charset, int defaultCodePage)
{
    static const std::array<std::pair<int, int>, 17> codePages = {{
        {0, 1252},
        {77, 2},
        {128, 932},
        {129, 949},
        {130, 1361},
        {134, 936},
        {136, 950},
        {161, 1253},
        {162, 1254},
        {163, 1258},
        {177, 1255},
        {178, 1256},
        {186, 1257},
        {204, 1251},
        {222, 874},
        {238, 1250},
        {255, 1},
    }};
    if (charset == 1) {
        return defaultCodePage;
    }
    for (const auto& [set, codePage] : codePages) {
        if (set == charset) {
            return codePage;
        }
    }
    return 0;
}

QString toUnicode(const QByteArray& bytes, int codePage)
{
    if (bytes.isEmpty()) {
        return {};
    }
    QStringDecoder decoder = decoderFor(codePage);
    return decoder.decode(bytes);
}

QByteArray fromUnicode(const QString& text, int codePage)
{
    if (text.isEmpty()) {
        return {};
    }
    QStringEncoder encoder = encoderFor(codePage);
    // Converters substitute SUB (0x1A) for what the code page lacks; "?" is what readers expect.
    // A SUB of the text itself is kept by converting the pieces around it on their own.
    QByteArray bytes;
    const QStringList pieces = text.split(QChar(0x1A));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QByteArray piece = encoder.encode(pieces[i]);
        bytes += piece.replace('\x1A', '?');
        if (i + 1 < pieces.size()) {
            bytes += '\x1A';
        }
    }
    return bytes;
}

// The characters of 0x80-0x9F; the rest of the bytes are the Latin-1 characters of their number.
constexpr char16_t Windows1252High[32]
    = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : byte);
    }
    return text;
}

std::optional<QByteArray> toWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes[i] = static_cast<char>(c);
            continue;
        }
        const auto* high = std::find(std::begin(Windows1252High), std::end(Windows1252High), c);
        if (high == std::end(Windows1252High)) {
            return std::nullopt;
        }
        bytes[i] = static_cast<char>(0x80 + (high - std::begin(Windows1252High)));
    }
    return bytes;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString fromUtf16Le(const QByteArray& bytes)
{
    // Units are taken as stored, unpaired surrogates included.
    QString text(bytes.size() / 2, Qt::Uninitialized);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(text.data(), bytes.constData(), static_cast<size_t>(text.size()) * 2);
        return text;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        text[i] = QChar(static_cast<char16_t>(in[2 * i] | (in[2 * i + 1] << 8)));
    }
    return text;
}

QByteArray toUtf16Le(const QString& text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(bytes.data(), text.constData(), static_cast<size_t>(bytes.size()));
        return bytes;
    }
    char* out = bytes.data();
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace CodePages

// UTF-8 <-> UTF-16.
#include "Unicode.h"

namespace Unicode {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed sequence at p and its length in bytes; length 0 when the
// lead byte at p starts none.
struct Sequence
{
    char32_t code = 0;
    int length = 0;
};

Sequence readSequence(const unsigned char* p, const unsigned char* end, Utf8Form form)
{
    const unsigned char lead = *p;
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else if (lead == 0xC0 && form == Utf8Form::Exact && end - p >= 2 && p[1] == 0x80) {
        return {0, 2};
    }
    bool valid = length > 0 && end - p >= length;
    for (int i = 1; valid && i < length; ++i) {
        valid = isContinuation(p[i]);
        code = (code << 6) | (p[i] & 0x3F);
    }
    valid = valid && code >= minimum && code <= 0x10FFFF
        && (form == Utf8Form::Exact || !isSurrogate(code));
    return valid ? Sequence {code, length} : Sequence {};
}

} // namespace

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out += char16_t(code);
    } else if (code <= 0x10FFFF) {
        out += char16_t(0xD800 + ((code - 0x10000) >> 10));
        out += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
        out += Replacement;
    }
}

std::string toUtf8(std::u16string_view text, Utf8Form form)
{
    const bool exact = form == Utf8Form::Exact;
    std::string bytes;
    bytes.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(bytes, combineSurrogates(unit, text[++i]));
        } else if (isSurrogate(unit) && !exact) {
            appendUtf8(bytes, Replacement);
        } else if (unit == 0 && exact) {
            bytes += "\xC0\x80";
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::u16string fromUtf8(std::string_view bytes, Utf8Form form)
{
    // Never more units than bytes: the text is written in place and cut to size at the end.
    std::u16string text;
    text.resize(bytes.size());
    char16_t* out = text.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            *out++ = *p++;
            continue;
        }
        const Sequence sequence = readSequence(p, end, form);
        if (sequence.length == 0) {
            *out++ = Replacement;
            ++p;
            continue;
        }
        p += sequence.length;
        const char32_t code = sequence.code;
        if (code >= 0x10000) {
            *out++ = char16_t(0xD800 + ((code - 0x10000) >> 10));
            *out++ = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *out++ = char16_t(code);
        }
    }
    text.resize(std::size_t(out - text.data()));
    return text;
}

} // namespace Unicode

// UTF-8 <-> UTF-16.
#include "Utf8.h"

namespace Utf8 {

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::u16string decode(std::string_view bytes)
{
    std::u16string text;
    text.resize(bytes.size());
    char16_t* out = text.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            *out++ = lead;
            ++p;
            continue;
        }
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
        }
        bool valid = length > 0 && end - p >= length;
        for (int i = 1; valid && i < length; ++i) {
            valid = isContinuation(p[i]);
            code = (code << 6) | (p[i] & 0x3F);
        }
        valid = valid && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            *out++ = Replacement;
            ++p;
            continue;
        }
        p += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            *out++ = char16_t(0xD800 + (code >> 10));
            *out++ = char16_t(0xDC00 + (code & 0x3FF));
        } else {
            *out++ = char16_t(code);
        }
    }
    text.resize(std::size_t(out - text.data()));
    return text;
}

std::string encode(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDFFF) {
            const bool pair = code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00
                && text[i + 1] <= 0xDFFF;
            if (pair) {
                code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
            } else {
                code = Replacement;
            }
        }
        if (code < 0x80) {
            bytes += char(code);
        } else if (code < 0x800) {
            bytes += char(0xC0 | (code >> 6));
            bytes += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += char(0xE0 | (code >> 12));
            bytes += char(0x80 | ((code >> 6) & 0x3F));
            bytes += char(0x80 | (code & 0x3F));
        } else {
            bytes += char(0xF0 | (code >> 18));
            bytes += char(0x80 | ((code >> 12) & 0x3F));
            bytes += char(0x80 | ((code >> 6) & 0x3F));
            bytes += char(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}

} // namespace Utf8

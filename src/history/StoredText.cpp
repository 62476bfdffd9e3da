// UTF-16 to and from the history's byte form.
#include "StoredText.h"

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isHigh(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendCodePoint(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string encode(std::u16string_view text, bool stored)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHigh(unit) && i + 1 < text.size() && isLow(text[i + 1])) {
            appendCodePoint(
                out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if ((isHigh(unit) || isLow(unit)) && !stored) {
            appendCodePoint(out, Replacement);
        } else if (unit == 0 && stored) {
            out += "\xC0\x80";
        } else {
            appendCodePoint(out, unit);
        }
    }
    return out;
}

} // namespace

namespace StoredText {

std::string toStored(std::u16string_view text)
{
    return encode(text, true);
}

std::string toUtf8(std::u16string_view text)
{
    return encode(text, false);
}

std::u16string fromStored(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead == 0xC0 && i + 1 < bytes.size()
            && static_cast<unsigned char>(bytes[i + 1]) == 0x80) {
            out += char16_t(0);
            i += 2;
            continue;
        }
        std::size_t length = lead < 0x80   ? 1
            : lead >= 0xF0 && lead <= 0xF4 ? 4
            : lead >= 0xE0                 ? 3
            : lead >= 0xC2 && lead < 0xE0  ? 2
                                           : 0;
        char32_t c = length == 1 ? lead
            : length == 2        ? lead & 0x1F
            : length == 3        ? lead & 0x0F
                                 : lead & 0x07;
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms and values past U+10FFFF are not ours; surrogates are.
        valid = valid && !(length == 3 && c < 0x800)
            && !(length == 4 && (c < 0x10000 || c > 0x10FFFF));
        if (!valid) {
            out += Replacement;
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

} // namespace StoredText

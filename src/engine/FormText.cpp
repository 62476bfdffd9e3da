// UTF-8 conversion and form encoding of the text to translate.
#include "FormText.h"

namespace {

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!'
        || c == '$' || c == '\'' || c == '(' || c == ')' || c == '*' || c == '-' || c == '.'
        || c == '@' || c == '_';
}

} // namespace

std::string utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            appendUtf8(out, high || low ? U'\uFFFD' : unit);
        }
    }
    return out;
}

std::string encodeFormText(std::string_view bytes)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0) {
            break;
        }
        if (isUnreserved(c)) {
            out += byte;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hexDigits[c >> 4];
            out += hexDigits[c & 0x0F];
        }
    }
    return out;
}

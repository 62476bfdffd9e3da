// Form encoding of the text to translate.
#include "FormText.h"

namespace {

bool isUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!'
        || c == '$' || c == '\'' || c == '(' || c == ')' || c == '*' || c == '-' || c == '.'
        || c == '@' || c == '_';
}

} // namespace

std::string encodeFormText(std::string_view bytes)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
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

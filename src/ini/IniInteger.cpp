// The integer reading rule of INI values.
#include "IniInteger.h"

#include <string>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool startsWithHexPrefix(std::string_view text)
{
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

} // namespace

std::optional<std::int32_t> parseIniInteger(std::string_view text)
{
    std::string rewritten;
    if (text.size() > 2 && startsWithHexPrefix(text)) {
        rewritten = "$" + std::string(text.substr(2));
        text = rewritten;
    }
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    bool hex = false;
    if (startsWithHexPrefix(text)) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty()
        && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }

    // Accumulate in 64 bits: eight hexadecimal digits or a decimal 2147483648 still fit.
    std::uint64_t magnitude = 0;
    int significant = 0;
    for (const char c : text) {
        const int digit = hex ? hexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude != 0 && ++significant > (hex ? 8 : 10)) {
            return std::nullopt;
        }
    }

    if (hex) {
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
}

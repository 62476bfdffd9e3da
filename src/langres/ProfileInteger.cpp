// The integer rule of language file values (font size and character set).
#include "ProfileInteger.h"

#include <charconv>

namespace {

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base)
{
    std::uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

bool consume(std::string_view& text, std::string_view prefix)
{
    if (text.starts_with(prefix)) {
        text.remove_prefix(prefix.size());
        return true;
    }
    return false;
}

} // namespace

std::optional<std::int32_t> parseProfileInteger(std::string_view text)
{
    // A leading "0x" reads as "$"; dropping its "0" leaves "x", which means the same.
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
        text.remove_prefix(1);
    }
    while (consume(text, " ")) { }
    const bool negative = consume(text, "-");
    if (!negative) {
        consume(text, "+");
    }

    const bool hex = consume(text, "0x") || consume(text, "0X") || consume(text, "$")
        || consume(text, "x") || consume(text, "X");
    const std::optional<std::uint32_t> magnitude = parseDigits(text, hex ? 16 : 10);
    if (!magnitude) {
        return std::nullopt;
    }
    if (hex) {
        return static_cast<std::int32_t>(negative ? 0u - *magnitude : *magnitude);
    }
    if (*magnitude > (negative ? 2147483648u : 2147483647u)) {
        return std::nullopt;
    }
    return negative ? static_cast<std::int32_t>(0u - *magnitude)
                    : static_cast<std::int32_t>(*magnitude);
}

// How numbers are read from INI values: settings and language files read them alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The integer reading rule: leading spaces, an optional sign, then decimal digits within the 32-bit
// range or hexadecimal digits after "$", "x", "X", "0x" or "0X" (at most eight significant ones,
// taken as a 32-bit pattern), running to the end of the text. Nothing for anything else.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

// Reads an integer from a language file value the way settings values are read.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Leading spaces, an optional sign, then decimal digits within the 32-bit range or hexadecimal
// digits after "$", "x", "X", "0x" or "0X" (at most eight significant ones, taken as a 32-bit
// pattern), running to the end of the text. Nothing for anything else.
std::optional<std::int32_t> parseProfileInteger(std::string_view text);

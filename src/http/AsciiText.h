// Small ASCII text helpers for protocol text: letter case is ignored only for A-Z, and "blank"
// means a space or a control character, as header and cookie syntax treat them.
#pragma once

#include <string>
#include <string_view>

bool isBlank(char c);
std::string_view trimmed(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

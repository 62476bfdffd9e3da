// Reading JSON text into values. The parser is lenient: beyond standard JSON it takes comments,
// single-quoted strings, bare member names, bare words as strings, trailing commas and \x escapes,
// and it stops after the first complete value.
#pragma once

#include "JsonValue.h"

#include <cstdint>
#include <string_view>

enum class JsonParseError : std::uint8_t
{
    None,
    TooDeep,
    PrematureEnd,
    ItemSeparatorExpected,
    BadMemberName,
    ColonExpected,
    MemberSeparatorExpected,
    BadEscape,
    BadComment,
};

// The value of text, which ends at its first U+0000; nothing when the text is broken, and then
// *error (when given) tells why.
JsonValue parseJson(std::u16string_view text, JsonParseError* error = nullptr);

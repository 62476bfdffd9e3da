// Which script a text is mostly written in, so that the direction can follow the text.
#pragma once

#include <string_view>

enum class TextScript
{
    Unclear, // no letters, or neither script clearly ahead
    Latin,
    Devanagari,
};

// A script counts when at least this share of the text's Latin and Devanagari letters is its own.
inline constexpr double DominantScriptShare = 0.75;

TextScript dominantScript(std::u16string_view text);

// Cutting a text that is too long for one request into parts the service accepts: at paragraph
// breaks first, then after sentence ends (". ", "? ", "! ", the danda and the double danda),
// then after spaces; never inside a surrogate pair or a Devanagari cluster, and inside a word only
// when a whole part's length holds no space at all.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The longest text one request carries, in UTF-16 code units of the source text.
inline constexpr std::size_t MaxPartLength = 5000;

// Consecutive pieces of text, each at most maxLength long, that join to text again. Every piece
// keeps the break it was cut after (its line end or spaces) at its end. A text that fits is one
// piece.
std::vector<std::u16string_view> splitText(
    std::u16string_view text, std::size_t maxLength = MaxPartLength);

// Whether a cut before position p keeps every character, cluster and CR LF line end whole.
bool isClusterBoundary(std::u16string_view text, std::size_t p);

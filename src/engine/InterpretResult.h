// Turns what a translation left in its result buffer into the text to show: a translation read
// from the service's answer, or a message for the user.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bounds on reading one answer. A part of at most 5,000 characters comes back in well under
// 200 KiB, one segment per sentence or line; an answer past 2 MiB or 10,000 segments is not a
// translation. Reading costs about 30 bytes of memory for each byte of the answer, so the client
// stops receiving at MaxAnswerBytes and no answer takes more than about 60 MB to read.
inline constexpr std::size_t MaxAnswerBytes = 2u << 20;
inline constexpr int MaxSegments = 10000;

// text: the decoded result buffer (an answer, a failure message, or empty). When skip is true
// nothing happens beyond emptying message. Otherwise exactly one of translation and message is
// filled: known transport failures and unreadable answers give a message, an answer gives its
// segments joined as they are. More than MaxSegments segments give a message.
void interpretResult(
    std::u16string_view text, bool skip, std::u16string& translation, std::string& message);

// Turns what a translation left in its result buffer into the text to show: a translation read
// from the service's answer, or a message for the user.
#pragma once

#include <string>
#include <string_view>

// text: the decoded result buffer (an answer, a failure message, or empty). When skip is true
// nothing happens beyond emptying message. Otherwise exactly one of translation and message is
// filled: known transport failures and unreadable answers give a message, an answer gives its
// segments joined as they are.
void interpretResult(
    std::u16string_view text, bool skip, std::u16string& translation, std::string& message);

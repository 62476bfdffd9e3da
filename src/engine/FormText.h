// Turning the user's text into the form-encoded bytes the translation service receives.
#pragma once

#include <string>
#include <string_view>

// Standard UTF-8: a surrogate pair becomes one four-byte sequence, a lone surrogate U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Form encoding up to the first zero byte: unreserved ASCII is kept, a space becomes "+", every
// other byte "%XX" with upper-case hexadecimal digits.
std::string encodeFormText(std::string_view bytes);

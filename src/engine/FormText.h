// Turning the user's text into the form-encoded bytes the translation service receives.
#pragma once

#include <string>
#include <string_view>

// Unreserved ASCII is kept, a space becomes "+", every other byte (a zero byte too) "%XX" with
// upper-case hexadecimal digits.
std::string encodeFormText(std::string_view bytes);

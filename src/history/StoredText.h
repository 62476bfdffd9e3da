// How history texts are kept as bytes. The window's texts are UTF-16 and may hold anything a
// pane can hold: NUL, lone surrogates, any length. The database keeps them as UTF-8 in which a
// lone surrogate is written like any other code point of the basic plane and NUL as the two
// bytes C0 80, so every text reads back unit for unit, no stored text holds a zero byte (the
// search index would stop reading there), and the index still sees ordinary UTF-8 characters.
#pragma once

#include <string>
#include <string_view>

namespace StoredText {

// Exact and reversible: fromStored(toStored(t)) == t for every t.
std::string toStored(std::u16string_view text);
// Malformed bytes (a file damaged outside the program) become U+FFFD.
std::u16string fromStored(std::string_view bytes);
// Standard UTF-8 for files other programs read: a lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace StoredText

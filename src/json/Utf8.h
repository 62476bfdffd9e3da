// Conversions between UTF-8 bytes and UTF-16 text, as the service's answers and the tools need.
#pragma once

#include <string>
#include <string_view>

namespace Utf8 {

// Standard UTF-8: four-byte sequences become surrogate pairs; each malformed byte becomes U+FFFD.
std::u16string decode(std::string_view bytes);
// Surrogate pairs become four-byte sequences; a lone surrogate becomes U+FFFD.
std::string encode(std::u16string_view text);

} // namespace Utf8

// Growable UTF-16 buffer for JSON text.
#include "JsonStringWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

int JsonWriter::appendText(const char16_t* text)
{
    return writeChars(text, int(std::char_traits<char16_t>::length(text)));
}

// The capacity doubles, or grows to what is needed and 8 more, so that building a text costs
// amortised constant time per code unit.
bool JsonStringWriter::grow(int count)
{
    const std::int64_t used = usedLength();
    const std::int64_t wanted
        = std::max<std::int64_t>(2 * std::int64_t(m_capacity), used + count + 8);
    // Lengths are 32-bit; a text that would not fit fails the write instead of wrapping around.
    if (wanted > INT_MAX - 1) {
        return false;
    }
    m_capacity = int(wanted);
    m_text.reserve(std::size_t(m_capacity));
    return true;
}

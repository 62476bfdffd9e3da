// Growable UTF-16 buffer for JSON text.
#include "JsonStringWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>

int JsonWriter::appendText(const char16_t* text)
{
    return writeChars(text, int(std::char_traits<char16_t>::length(text)));
}

JsonStringWriter::JsonStringWriter()
    : m_buffer(InitialCapacity + 1, u'\0')
{ }

void JsonStringWriter::discard()
{
    m_used = 0;
    m_buffer[0] = u'\0';
}

std::u16string JsonStringWriter::takeText()
{
    m_buffer.resize(m_used);
    std::u16string text = std::move(m_buffer);
    m_buffer.assign(InitialCapacity + 1, u'\0');
    m_used = 0;
    m_capacity = InitialCapacity;
    return text;
}

void JsonStringWriter::trimTrailingBlanks()
{
    while (m_used > 0) {
        const char16_t last = m_buffer[m_used - 1];
        if (last != u'\n' && last != u'\r' && last != u' ') {
            break;
        }
        --m_used;
    }
    m_buffer[m_used] = u'\0';
}

bool JsonStringWriter::grow(int count)
{
    // Lengths are 32-bit; a text that would not fit fails the write instead of wrapping around.
    const std::int64_t wanted
        = std::max<std::int64_t>(2 * std::int64_t(m_capacity), std::int64_t(m_used) + count + 8);
    if (wanted > INT_MAX - 1) {
        return false;
    }
    m_capacity = int(wanted);
    m_buffer.resize(std::size_t(m_capacity) + 1);
    return true;
}

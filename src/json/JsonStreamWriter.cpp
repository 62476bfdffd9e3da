// Byte-stream writers for JSON text.
#include "JsonStreamWriter.h"

int JsonUtf16StreamWriter::writeChars(const char16_t* chars, int count)
{
    if (count <= 0) {
        return count;
    }
    const std::size_t start = m_stream.size();
    m_stream.resize(start + 2 * std::size_t(count));
    char* out = m_stream.data() + start;
    for (int i = 0; i < count; ++i) {
        *out++ = char(chars[i] & 0xFF);
        *out++ = char(chars[i] >> 8);
    }
    return count;
}

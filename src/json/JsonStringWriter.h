// Collects JSON text in a growable UTF-16 buffer. Also serves the parser as its token buffer.
#pragma once

#include "JsonWriter.h"

#include <string>
#include <string_view>

class JsonStringWriter final : public JsonWriter
{
public:
    static constexpr int InitialCapacity = 32;

    JsonStringWriter();

    int writeChars(const char16_t* chars, int count) override
    {
        if (count <= 0) {
            return count;
        }
        if (count >= m_capacity - m_used && !grow(count)) {
            return -1;
        }
        std::char_traits<char16_t>::copy(m_buffer.data() + m_used, chars, count);
        m_used += count;
        m_buffer[m_used] = u'\0';
        return count;
    }
    void discard() override;

    void appendChar(char16_t c)
    {
        if (m_capacity - m_used <= 1 && !grow(1)) {
            return;
        }
        m_buffer[m_used++] = c;
        m_buffer[m_used] = u'\0';
    }

    // The used code units, embedded U+0000 included.
    std::u16string_view view() const { return {m_buffer.data(), std::size_t(m_used)}; }
    std::u16string currentText() const { return std::u16string(view()); }
    // Hands the collected text over without copying it; the writer is empty afterwards.
    std::u16string takeText();
    int usedLength() const { return m_used; }
    int capacity() const { return m_capacity; }

    // Drops final line feeds, carriage returns and spaces (not tabs).
    void trimTrailingBlanks();

private:
    bool grow(int count);

    std::u16string m_buffer; // capacity code units plus room for the terminating U+0000
    int m_used = 0;
    int m_capacity = InitialCapacity;
};

// Collects JSON text in a growable UTF-16 buffer. Also serves the parser as its token buffer.
#pragma once

#include "JsonWriter.h"

#include <string>
#include <string_view>

class JsonStringWriter final : public JsonWriter
{
public:
    static constexpr int InitialCapacity = 32;

    int writeChars(const char16_t* chars, int count) override
    {
        if (count <= 0) {
            return count;
        }
        if (count >= m_capacity - usedLength() && !grow(count)) {
            return -1;
        }
        m_text.append(chars, std::size_t(count));
        return count;
    }
    void discard() override { m_text.clear(); }

    void appendChar(char16_t c)
    {
        if (m_capacity - usedLength() <= 1 && !grow(1)) {
            return;
        }
        m_text.push_back(c);
    }

    // Makes room for capacity code units at once, for a caller that knows roughly how much
    // text is coming.
    void reserve(int capacity)
    {
        if (capacity > m_capacity) {
            m_capacity = capacity;
            m_text.reserve(std::size_t(capacity));
        }
    }

    // The used code units, embedded U+0000 included; a U+0000 always follows them.
    std::u16string_view view() const { return m_text; }
    std::u16string currentText() const { return m_text; }
    int usedLength() const { return int(m_text.size()); }
    int capacity() const { return m_capacity; }

private:
    bool grow(int count);

    std::u16string m_text; // reserved to the capacity each time it grows
    int m_capacity = InitialCapacity;
};

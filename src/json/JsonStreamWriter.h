// Writers that put JSON text into a byte stream held in memory.
#pragma once

#include "JsonWriter.h"

#include <string>

class JsonStreamWriter : public JsonWriter
{
public:
    explicit JsonStreamWriter(std::string& stream)
        : m_stream(stream)
    { }

    // Truncates the stream to length 0.
    void discard() override { m_stream.clear(); }

protected:
    std::string& m_stream;
};

// Each code unit becomes two bytes, low byte first.
class JsonUtf16StreamWriter final : public JsonStreamWriter
{
public:
    using JsonStreamWriter::JsonStreamWriter;

    int writeChars(const char16_t* chars, int count) override;
};

// The sink that JSON text is written into: strings, byte streams, or anything else that takes
// UTF-16 code units in runs.
#pragma once

class JsonWriter
{
public:
    virtual ~JsonWriter() = default;

    // Writes count code units; a negative result means the writer failed.
    virtual int writeChars(const char16_t* chars, int count) = 0;
    // Forgets everything written so far.
    virtual void discard() = 0;

    // Writes the code units before the first U+0000 of text.
    int appendText(const char16_t* text);
};

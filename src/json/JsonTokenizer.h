// The state machine behind parseJson: one state per nesting level on an explicit stack of 32
// levels, so no input can exhaust the call stack.
#pragma once

#include "JsonStringWriter.h"
#include "JsonValue.h"
#include "ParseJson.h"

#include <string>
#include <string_view>
#include <vector>

class JsonTokenizer
{
public:
    static constexpr int MaxDepth = 32;

    explicit JsonTokenizer(std::u16string_view text);

    JsonValue parse();
    JsonParseError error() const { return m_error; }

private:
    // Literals and numbers are read whole where they start, so they need no state of their own.
    enum class State : std::uint8_t
    {
        SkipBlanks,
        ValueStart,
        Finish,
        QuotedText,
        Bareword,
        ExpectItem,
        StoreItem,
        AfterItem,
        ExpectMember,
        QuotedName,
        BareName,
        ExpectColon,
        ExpectMemberValue,
        StoreMember,
        AfterMember,
    };

    struct Level
    {
        State state = State::SkipBlanks;
        State next = State::ValueStart; // where SkipBlanks goes on
        JsonValue current;
        std::u16string memberName;
        std::size_t firstItem = 0; // an open array's items start here in m_items
    };

    enum class Comment
    {
        Skipped,
        Broken,
        EndOfText
    };

    char16_t peek() const { return m_p < m_end ? *m_p : u'\0'; }
    JsonValue fail(JsonParseError error);
    void enterLevel();
    void closeArray(Level& level);
    void finishValue(Level& level, JsonValue value);
    Comment skipComment();
    JsonParseError readQuoted(std::u16string_view& text);
    JsonParseError readEscape();
    JsonParseError readBare(char16_t end1, char16_t end2, std::u16string_view& text);
    void readLiteral(Level& level, std::u16string_view word, JsonValue value);
    void readNumber(Level& level);

    const char16_t* m_p;
    const char16_t* m_end; // the first U+0000 or the end of the text
    JsonStringWriter m_token;
    int m_depth = 0;
    JsonParseError m_error = JsonParseError::None;
    char16_t m_quote = u'"';
    JsonValue m_finished; // the value a level has just completed, for its enclosing level
    std::vector<JsonValue> m_items; // items of the open arrays, innermost last
    Level m_levels[MaxDepth];
};

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
    ~JsonTokenizer();

    JsonValue parse();
    JsonParseError error() const { return m_error; }

private:
    // Tokens (strings, names, numbers, literals, bare words) are read whole where they start, so
    // the states are those between tokens.
    enum class State : std::uint8_t
    {
        SkipBlanks, // blanks and comments, then on to the next state
        ValueStart,
        Finish,
        ExpectItem,
        AfterItem,
        ExpectMember,
        ExpectColon,
        ExpectMemberValue,
        AfterMember,
    };

    // Set up when the level is entered; the tokenizer makes 32 of them for every parse, so they
    // are kept small and cheap to make.
    struct Level
    {
        State state;
        State next; // where SkipBlanks goes on
        char16_t closer; // "]" or "}" while this level reads an array or an object
        std::size_t firstItem; // an open array's items start here in m_items
        // The name of the member being read at this level: a view into the text, or, when it
        // had to be put together (escapes, bare names), m_names at this level.
        std::u16string_view name;
        bool nameInText;
        JsonValue current;
    };

    enum class Comment
    {
        Skipped,
        Broken,
        EndOfText
    };

    char16_t peek() const { return m_p < m_end ? *m_p : u'\0'; }
    JsonValue fail(JsonParseError error);
    // Skips blanks right away and moves on to next, unless a comment needs SkipBlanks.
    void skipTo(Level& level, State next);
    Level& enterLevel();
    // Makes value the level's result and, when nothing but blanks stands before the next
    // character, hands it to the enclosing level at once.
    void finishValue(Level& level, JsonValue value);
    void leaveLevel();
    // Puts a finished value into the level's container and moves on to what follows an entry.
    void storeEntry(Level& level, JsonValue value);
    void putMember(Level& level, JsonValue value);
    void openContainer(Level& level, char16_t bracket);
    void closeContainer(Level& level);
    // The loops over a container's entries, which run on from one step to the next until a
    // container opens or closes or a comment needs SkipBlanks, so that the main loop dispatches
    // once per container rather than once per state.
    JsonParseError descend();
    bool skipToward(Level& level, State next);
    JsonParseError readItems(Level& level, State state);
    JsonParseError readMembers(Level& level, State state);
    JsonParseError closeOr(Level& level, JsonParseError error);
    JsonParseError readEntryValue(JsonValue& value);
    JsonParseError readScalar(JsonValue& value);
    JsonParseError startValue(Level& level);
    JsonParseError readMemberName(Level& level);
    Comment skipComment();
    JsonParseError readQuoted(std::u16string_view& text);
    JsonParseError readEscape();
    JsonParseError readBare(char16_t end1, char16_t end2, std::u16string_view& text);
    JsonParseError readBareword(Level& level);
    JsonParseError readLiteral(Level& level, std::u16string_view word, JsonValue value);
    JsonValue readNumber();
    JsonValue readNumberList();
    JsonValue readNumberText(const char16_t* start);

    const char16_t* m_begin;
    const char16_t* m_p;
    const char16_t* m_end; // the text ends here or at its first U+0000, whichever comes first
    JsonStringWriter m_token;
    int m_depth = 0;
    JsonParseError m_error = JsonParseError::None;
    char16_t m_quote = u'"';
    std::vector<JsonValue> m_items; // items of the open arrays, innermost last
    std::vector<std::u16string> m_names; // the member name being read, by level
    Level m_levels[MaxDepth];
};

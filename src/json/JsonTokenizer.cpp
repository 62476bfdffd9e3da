// The lenient JSON parser: a character-driven state machine over an explicit stack of levels.
// The states hand whole runs of characters on at once (blanks, string contents, number
// characters), which gives the same result as taking them one by one.
#include "JsonTokenizer.h"

#include "CharScan.h"
#include "Escapes.h"
#include "JsonArray.h"
#include "JsonMemberTable.h"
#include "NumberText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>

namespace {

// Characters that keep a literal such as null from ending; digits are not among them.
bool isWordChar(char16_t c)
{
    return c >= 0x100 || c == u'.' || c == u'_' || (c >= u'A' && c <= u'Z')
        || (c >= u'a' && c <= u'z');
}

// Characters the number reader takes as part of a number.
bool isNumberChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'+'
        || c == u'-';
}

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

bool isBadNameStart(char16_t c)
{
    switch (c) {
    case u'\0':
    case u'\b':
    case u'\t':
    case u'\n':
    case u'\f':
    case u'\r':
    case u' ':
    case u'(':
    case u')':
    case u',':
    case u'.':
    case u':':
    case u'[':
    case u']':
    case u'{':
    case u'}':
        return true;
    default:
        return false;
    }
}

std::u16string_view untilNul(std::u16string_view text)
{
    return text.substr(0, text.find(u'\0'));
}

std::u16string_view trimTrailingBlanks(std::u16string_view text)
{
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\n' || text.back() == u'\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// A number token is one of: integer digits; a decimal with up to four decimals, held exactly as
// a count of ten-thousandths; anything else with a point or an exponent, held as a double.
// Values that do not fit their 64-bit form fall back to a double.
JsonValue numberValue(std::string_view text, bool fraction, int decimals)
{
    std::int64_t integer = 0;
    if (!fraction) {
        if (NumberText::readIntegerPrefix(text, integer)) {
            return JsonValue::fromInteger(integer);
        }
    } else if (decimals >= 0) {
        const std::size_t point = text.find('.');
        std::string digits(text.substr(0, point));
        digits.append(text.substr(point + 1, std::size_t(decimals)));
        std::int64_t scale = 1;
        for (int i = decimals; i < 4; ++i) {
            scale *= 10;
        }
        if (NumberText::readIntegerPrefix(digits, integer) && integer <= INT64_MAX / scale
            && integer >= INT64_MIN / scale) {
            return JsonValue::fromCurrency(integer * scale);
        }
    }
    return JsonValue::fromDouble(NumberText::readDoublePrefix(text));
}

// A number's characters narrowed to the ASCII they are.
class NumberChars
{
public:
    NumberChars(const char16_t* start, const char16_t* end)
        : m_length(std::size_t(end - start))
    {
        char* ascii = m_small;
        if (m_length > sizeof m_small) {
            m_large.resize(m_length);
            ascii = m_large.data();
        }
        for (std::size_t i = 0; i < m_length; ++i) {
            ascii[i] = char(start[i]);
        }
    }

    std::string_view view() const
    {
        return {m_length > sizeof m_small ? m_large.data() : m_small, m_length};
    }

private:
    std::size_t m_length;
    char m_small[64];
    std::string m_large;
};

} // namespace

JsonValue parseJson(std::u16string_view text, JsonParseError* error)
{
    JsonTokenizer tokenizer(text);
    JsonValue value = tokenizer.parse();
    if (error) {
        *error = tokenizer.error();
    }
    return value;
}

namespace {

// The item stack of the last parse on this thread, kept for the next one: the answer reader
// parses thousands of small texts in a row.
thread_local std::vector<JsonValue> spareItems;
constexpr std::size_t SpareItemsKept = 4096;

} // namespace

JsonTokenizer::JsonTokenizer(std::u16string_view text)
    : m_begin(text.data())
    , m_p(text.data())
    , m_end(text.data() + text.size())
    , m_items(std::move(spareItems))
{ }

JsonTokenizer::~JsonTokenizer()
{
    m_items.clear();
    if (m_items.capacity() <= SpareItemsKept) {
        spareItems = std::move(m_items);
    }
}

JsonValue JsonTokenizer::fail(JsonParseError error)
{
    m_error = error;
    return {};
}

void JsonTokenizer::skipTo(Level& level, State next)
{
    m_p = CharScan::skipBlanks(m_p, m_end);
    level.next = next;
    level.state = m_p < m_end && *m_p == u'/' ? State::SkipBlanks : next;
}

JsonTokenizer::Level& JsonTokenizer::enterLevel()
{
    Level& level = m_levels[++m_depth];
    level.closer = u'\0';
    skipTo(level, State::ValueStart);
    return level;
}

void JsonTokenizer::finishValue(Level& level, JsonValue value)
{
    m_p = CharScan::skipBlanks(m_p, m_end);
    if (m_depth > 0 && (m_p == m_end || *m_p != u'/')) {
        --m_depth;
        storeEntry(m_levels[m_depth], std::move(value));
        return;
    }
    level.current = std::move(value);
    skipTo(level, State::Finish);
}

void JsonTokenizer::leaveLevel()
{
    JsonValue finished = std::move(m_levels[m_depth].current);
    --m_depth;
    storeEntry(m_levels[m_depth], std::move(finished));
}

void JsonTokenizer::storeEntry(Level& level, JsonValue value)
{
    if (level.closer == u']') {
        m_items.push_back(std::move(value));
        skipTo(level, State::AfterItem);
    } else {
        putMember(level, std::move(value));
        skipTo(level, State::AfterMember);
    }
}

void JsonTokenizer::putMember(Level& level, JsonValue value)
{
    // A repeated name replaces the earlier value.
    level.current.asMemberTable()->putCutMember(
        level.nameInText ? level.name : m_names[std::size_t(m_depth)], std::move(value));
}

void JsonTokenizer::openContainer(Level& level, char16_t bracket)
{
    ++m_p;
    if (bracket == u'[') {
        level.closer = u']';
        level.firstItem = m_items.size();
        skipTo(level, State::ExpectItem);
    } else {
        level.closer = u'}';
        level.current = JsonValue::ofKind(ValueKind::Object);
        skipTo(level, State::ExpectMember);
    }
}

void JsonTokenizer::closeContainer(Level& level)
{
    if (level.closer == u'}') {
        finishValue(level, std::move(level.current));
        return;
    }
    const std::size_t first = level.firstItem;
    JsonValue array = JsonValue::arrayOf(m_items.data() + first, int(m_items.size() - first));
    m_items.resize(first);
    finishValue(level, std::move(array));
}

// An item or member value is read one level deeper; the deepest level can hold no value.
JsonParseError JsonTokenizer::descend()
{
    if (m_depth == MaxDepth - 1) {
        return JsonParseError::TooDeep;
    }
    Level& level = enterLevel();
    return level.state == State::ValueStart ? startValue(level) : JsonParseError::None;
}

bool JsonTokenizer::skipToward(Level& level, State next)
{
    skipTo(level, next);
    return level.state == next;
}

// The items of an array, from state on. Items that need no level of their own are stored here
// one after another; the loop hands over to the main loop when a container opens or closes or
// a comment stands before the next step.
JsonParseError JsonTokenizer::readItems(Level& level, State state)
{
    for (;;) {
        if (state == State::AfterItem) {
            if (peek() != u',') {
                return closeOr(level, JsonParseError::ItemSeparatorExpected);
            }
            ++m_p;
            if (!skipToward(level, State::ExpectItem)) {
                return JsonParseError::None;
            }
        }
        if (peek() == u']') {
            return closeOr(level, JsonParseError::None);
        }
        // Numbers come in long lists, and lists of numbers in long lists: they are read without
        // the general dispatch.
        const char16_t c = peek();
        JsonValue list;
        if ((c == u'-' || (c >= u'0' && c <= u'9')) && m_depth < MaxDepth - 1) {
            m_items.push_back(readNumber());
        } else if (c == u'[' && m_depth < MaxDepth - 2 && (list = readNumberList())) {
            m_items.push_back(std::move(list));
        } else {
            JsonValue value;
            if (const JsonParseError error = readEntryValue(value);
                error != JsonParseError::None || value.isNothing()) {
                return error;
            }
            m_items.push_back(std::move(value));
        }
        if (!skipToward(level, State::AfterItem)) {
            return JsonParseError::None;
        }
        state = State::AfterItem;
    }
}

// The members of an object, from state on, as readItems reads items.
JsonParseError JsonTokenizer::readMembers(Level& level, State state)
{
    for (;;) {
        switch (state) {
        case State::AfterMember:
            if (peek() != u',') {
                return closeOr(level, JsonParseError::MemberSeparatorExpected);
            }
            ++m_p;
            if (!skipToward(level, State::ExpectMember)) {
                return JsonParseError::None;
            }
            [[fallthrough]];
        case State::ExpectMember:
            if (peek() == u'}') {
                return closeOr(level, JsonParseError::None);
            }
            if (const JsonParseError error = readMemberName(level); error != JsonParseError::None) {
                return error;
            }
            if (!skipToward(level, State::ExpectColon)) {
                return JsonParseError::None;
            }
            [[fallthrough]];
        case State::ExpectColon:
            if (peek() != u':') {
                return JsonParseError::ColonExpected;
            }
            ++m_p;
            if (!skipToward(level, State::ExpectMemberValue)) {
                return JsonParseError::None;
            }
            [[fallthrough]];
        default: {
            JsonValue value;
            if (const JsonParseError error = readEntryValue(value);
                error != JsonParseError::None || value.isNothing()) {
                return error;
            }
            putMember(level, std::move(value));
            if (!skipToward(level, State::AfterMember)) {
                return JsonParseError::None;
            }
            state = State::AfterMember;
        }
        }
    }
}

// The closing bracket of the level's container, or else error.
JsonParseError JsonTokenizer::closeOr(Level& level, JsonParseError error)
{
    if (peek() != level.closer) {
        return error;
    }
    ++m_p;
    closeContainer(level);
    return JsonParseError::None;
}

// An item or member value: a scalar comes back in value; anything else enters the next level,
// leaving value nothing.
JsonParseError JsonTokenizer::readEntryValue(JsonValue& value)
{
    if (m_depth == MaxDepth - 1) {
        return JsonParseError::TooDeep;
    }
    if (const JsonParseError error = readScalar(value); error != JsonParseError::None) {
        return error;
    }
    if (value) {
        return JsonParseError::None;
    }
    if (const char16_t c = peek(); c == u'[' || c == u'{') {
        // No blank or comment stands before it, so the level is entered at the bracket.
        openContainer(m_levels[++m_depth], c);
        return JsonParseError::None;
    }
    return descend();
}

JsonTokenizer::Comment JsonTokenizer::skipComment()
{
    ++m_p;
    const char16_t kind = peek();
    if (kind == u'*') {
        for (++m_p;; ++m_p) {
            m_p = CharScan::findAny(m_p, m_end, u'*', u'\0', u'\0', u'\0');
            if (m_p == m_end || *m_p == u'\0') {
                return Comment::EndOfText;
            }
            if (m_p + 1 < m_end && m_p[1] == u'/') {
                m_p += 2;
                return Comment::Skipped;
            }
        }
    }
    if (kind == u'/') {
        m_p = CharScan::findAny(m_p + 1, m_end, u'\n', u'\0', u'\0', u'\0');
        if (m_p == m_end || *m_p == u'\0') {
            return Comment::EndOfText;
        }
        ++m_p;
        return Comment::Skipped;
    }
    return Comment::Broken;
}

JsonParseError JsonTokenizer::readEscape()
{
    if (m_p == m_end || *m_p == u'\0') {
        // The escape takes the end of the text as its character, so the text ends unfinished.
        return JsonParseError::PrematureEnd;
    }
    const char16_t c = *m_p++;
    if (c != u'u' && c != u'x') {
        char16_t character = c;
        for (const Escapes::Short& escape : Escapes::shortEscapes) {
            if (c == escape.letter) {
                character = escape.character;
            }
        }
        m_token.appendChar(character);
        return JsonParseError::None;
    }
    const int hexDigits = c == u'u' ? 4 : 2;
    unsigned code = 0;
    for (int i = 0; i < hexDigits; ++i, ++m_p) {
        const int digit = m_p < m_end ? hexDigit(*m_p) : -1;
        if (digit < 0) {
            return JsonParseError::BadEscape;
        }
        code = code * 16 + unsigned(digit);
    }
    m_token.appendChar(char16_t(code));
    return JsonParseError::None;
}

JsonParseError JsonTokenizer::readQuoted(std::u16string_view& text)
{
    const char16_t quote = m_quote;
    bool buffered = false;
    for (;;) {
        const char16_t* start = m_p;
        m_p = CharScan::findAny(m_p, m_end, quote, u'\\', u'\0', u'\0');
        if (m_p == m_end || *m_p == u'\0') {
            return JsonParseError::PrematureEnd;
        }
        if (!buffered && *m_p == quote) {
            text = {start, std::size_t(m_p - start)};
            ++m_p;
            return JsonParseError::None;
        }
        if (!buffered) {
            m_token.discard();
            buffered = true;
        }
        m_token.writeChars(start, int(m_p - start));
        if (*m_p++ == quote) {
            text = m_token.view();
            return JsonParseError::None;
        }
        if (const JsonParseError error = readEscape(); error != JsonParseError::None) {
            return error;
        }
    }
}

// Reads a bare word or bare member name up to end1, end2 or the end of the text (an end of
// U+0000 stands for none, as that ends the text anyway). The token buffer may already hold the
// start of the word.
JsonParseError JsonTokenizer::readBare(char16_t end1, char16_t end2, std::u16string_view& text)
{
    for (;;) {
        const char16_t* start = m_p;
        m_p = CharScan::findAny(m_p, m_end, u'\\', end1, end2, u'\0');
        const bool escape = m_p < m_end && *m_p == u'\\';
        if (!escape && m_token.usedLength() == 0) {
            text = {start, std::size_t(m_p - start)};
            return JsonParseError::None;
        }
        m_token.writeChars(start, int(m_p - start));
        if (!escape) {
            text = m_token.view();
            return JsonParseError::None;
        }
        ++m_p;
        if (const JsonParseError error = readEscape(); error != JsonParseError::None) {
            return error;
        }
    }
}

// What ends a bare word depends on where it stands: only the end of the text at the top, else
// also a comma or the enclosing container's closing bracket. Final line breaks and spaces are
// dropped, and the word ends at its first U+0000.
JsonParseError JsonTokenizer::readBareword(Level& level)
{
    char16_t end1 = u'\0';
    char16_t end2 = u'\0';
    if (m_depth > 0) {
        end1 = u',';
        end2 = m_levels[m_depth - 1].closer;
    }
    std::u16string_view text;
    if (const JsonParseError error = readBare(end1, end2, text); error != JsonParseError::None) {
        return error;
    }
    finishValue(level, JsonValue::fromText(untilNul(trimTrailingBlanks(text))));
    return JsonParseError::None;
}

// null, true and false end before any character that is not a word character; a longer word
// or a mismatch reads on as a bare word from the characters matched so far.
JsonParseError JsonTokenizer::readLiteral(Level& level, std::u16string_view word, JsonValue value)
{
    std::size_t matched = 0;
    while (matched < word.size() && m_p + matched < m_end && m_p[matched] == word[matched]) {
        ++matched;
    }
    m_p += matched;
    if (matched == word.size() && !isWordChar(peek())) {
        finishValue(level, std::move(value));
        return JsonParseError::None;
    }
    m_token.discard();
    m_token.writeChars(word.data(), int(matched));
    if (matched == word.size()) {
        m_token.appendChar(*m_p++);
    }
    return readBareword(level);
}

JsonValue JsonTokenizer::readNumber()
{
    // Most numbers have the plain form -?digits(.digits)?([eE][+-]?digits)? and fit their
    // value's 64 bits; they are read in one pass. The others (1-2, 1.5e, more digits than fit)
    // take the general path below.
    const char16_t* const start = m_p;
    const char16_t* p = start;
    const auto isDigit
        = [this](const char16_t* q) { return q < m_end && *q >= u'0' && *q <= u'9'; };
    const bool negative = *p == u'-';
    p += negative ? 1 : 0;
    std::uint64_t digits = 0;
    const char16_t* const integerStart = p;
    // Integer parts are mostly short: their first digits are read one by one, which measured
    // faster there than the eight-at-a-time reader, and the rest, if any, by that reader.
    for (int i = 0; i < 4 && p < m_end && *p >= u'0' && *p <= u'9'; ++i, ++p) {
        digits = digits * 10 + unsigned(*p - u'0');
    }
    if (p - integerStart == 4) {
        p = CharScan::readDigits(p, m_begin, m_end, digits);
    }
    const auto integerDigits = int(p - integerStart);
    int fractionDigits = -1;
    if (p < m_end && *p == u'.') {
        const char16_t* const fractionStart = ++p;
        p = CharScan::readDigits(p, m_begin, m_end, digits);
        fractionDigits = int(p - fractionStart);
    }
    int exponent = 0;
    bool hasExponent = false;
    bool plainExponent = true;
    if (p < m_end && (*p == u'e' || *p == u'E')) {
        hasExponent = true;
        ++p;
        const bool negativeExponent = p < m_end && *p == u'-';
        p += p < m_end && (*p == u'-' || *p == u'+') ? 1 : 0;
        plainExponent = isDigit(p);
        for (; isDigit(p); ++p) {
            exponent = std::min(exponent * 10 + int(*p - u'0'), 100000);
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (integerDigits == 0 || !plainExponent || (p < m_end && isNumberChar(*p))) {
        return readNumberText(start);
    }
    const int allDigits = integerDigits + std::max(fractionDigits, 0);
    if (!hasExponent && fractionDigits <= 4) {
        // An integer or a currency; past 18 digits they may not fit, which the general path sees.
        const auto value = std::int64_t(digits);
        if (allDigits <= 18 && fractionDigits < 0) {
            m_p = p;
            return JsonValue::fromInteger(negative ? -value : value);
        }
        std::int64_t scale = 1;
        for (int i = fractionDigits; i < 4; ++i) {
            scale *= 10;
        }
        if (allDigits <= 18 && value <= INT64_MAX / scale) {
            m_p = p;
            return JsonValue::fromCurrency((negative ? -value : value) * scale);
        }
        return readNumberText(start);
    }
    m_p = p;
    double real = 0;
    if (allDigits > 19
        || !NumberText::exactDouble(digits, exponent - std::max(fractionDigits, 0), real)) {
        real = NumberText::readDoublePrefix(NumberChars(start, p).view());
        return JsonValue::fromDouble(real);
    }
    return JsonValue::fromDouble(negative ? -real : real);
}

// An array of plain numbers at m_p, read as the levels would read it; nothing, and m_p where it
// was, when the array holds anything else, is empty, or has a comment or a trailing comma: the
// levels read those.
JsonValue JsonTokenizer::readNumberList()
{
    const char16_t* const start = m_p;
    const std::size_t first = m_items.size();
    m_p = CharScan::skipBlanks(m_p + 1, m_end);
    for (;;) {
        if (const char16_t c = peek(); c != u'-' && (c < u'0' || c > u'9')) {
            break;
        }
        m_items.push_back(readNumber());
        m_p = CharScan::skipBlanks(m_p, m_end);
        const char16_t next = peek();
        ++m_p;
        if (next == u']') {
            JsonValue list
                = JsonValue::arrayOf(m_items.data() + first, int(m_items.size() - first));
            m_items.resize(first);
            return list;
        }
        if (next != u',') {
            break;
        }
        m_p = CharScan::skipBlanks(m_p, m_end);
    }
    m_items.resize(first);
    m_p = start;
    return {};
}

// The general path: the number's characters as the state machine takes them, converted as they
// stand.
JsonValue JsonTokenizer::readNumberText(const char16_t* start)
{
    m_p = start;
    bool fraction = false;
    int decimals = -1;
    for (; m_p < m_end; ++m_p) {
        const char16_t c = *m_p;
        if (c >= u'0' && c <= u'9') {
            if (fraction && decimals >= 0 && ++decimals > 4) {
                decimals = -1;
            }
        } else if (c == u'.') {
            fraction = true;
            decimals = 0;
        } else if (c == u'e' || c == u'E') {
            fraction = true;
            decimals = -1;
        } else if (c != u'+' && c != u'-') {
            break;
        }
    }
    return numberValue(NumberChars(start, m_p).view(), fraction, decimals);
}

// Strings, numbers and whole literals are read where they stand, so that a container can store
// them without entering a level for each. value stays nothing, and m_p where it was, for
// anything else.
JsonParseError JsonTokenizer::readScalar(JsonValue& value)
{
    const char16_t c = peek();
    if (c == u'"' || c == u'\'') {
        m_quote = c;
        ++m_p;
        std::u16string_view text;
        if (const JsonParseError error = readQuoted(text); error != JsonParseError::None) {
            return error;
        }
        value = JsonValue::fromText(text);
    } else if (c == u'-' || (c >= u'0' && c <= u'9')) {
        value = readNumber();
    } else if (c == u'n' || c == u't' || c == u'f') {
        const std::u16string_view word = c == u'n' ? u"null" : c == u't' ? u"true" : u"false";
        const auto length = std::ptrdiff_t(word.size());
        if (m_end - m_p >= length && std::u16string_view(m_p, word.size()) == word
            && (m_end - m_p == length || !isWordChar(m_p[length]))) {
            m_p += length;
            value = c == u'n' ? JsonValue::ofKind(ValueKind::Null)
                              : JsonValue::fromBoolean(c == u't');
        }
    }
    return JsonParseError::None;
}

JsonParseError JsonTokenizer::startValue(Level& level)
{
    if (const char16_t c = peek(); c == u'[' || c == u'{') {
        openContainer(level, c);
        return JsonParseError::None;
    }
    {
        JsonValue value;
        if (const JsonParseError error = readScalar(value); error != JsonParseError::None) {
            return error;
        }
        if (value) {
            finishValue(level, std::move(value));
            return JsonParseError::None;
        }
    }
    const char16_t c = peek();
    switch (c) {
    case u'n':
    case u'N':
        return readLiteral(level, u"null", JsonValue::ofKind(ValueKind::Null));
    case u't':
    case u'T':
        return readLiteral(level, u"true", JsonValue::fromBoolean(true));
    case u'f':
    case u'F':
        return readLiteral(level, u"false", JsonValue::fromBoolean(false));
    case u'(':
        // Ignored, and no blanks are skipped after it.
        ++m_p;
        return JsonParseError::None;
    default:
        m_token.discard();
        return readBareword(level);
    }
}

JsonParseError JsonTokenizer::readMemberName(Level& level)
{
    const char16_t c = peek();
    std::u16string_view name;
    JsonParseError error = JsonParseError::None;
    if (c == u'"' || c == u'\'') {
        m_quote = c;
        ++m_p;
        error = readQuoted(name);
    } else if (isBadNameStart(c)) {
        return JsonParseError::BadMemberName;
    } else {
        // A bare name runs to the colon, blanks included.
        m_token.discard();
        error = readBare(u':', u':', name);
    }
    if (error != JsonParseError::None) {
        return error;
    }
    // A name read straight from the text holds no U+0000, which ends the text; one put together
    // in the token buffer is kept here while the value is read, cut at its first U+0000.
    level.nameInText = name.data() != m_token.view().data();
    if (level.nameInText) {
        level.name = name;
    } else {
        if (m_names.size() <= std::size_t(m_depth)) {
            m_names.resize(std::size_t(m_depth) + 1);
        }
        m_names[std::size_t(m_depth)].assign(untilNul(name));
    }
    return JsonParseError::None;
}

JsonValue JsonTokenizer::parse()
{
    // Lengths are 32-bit inside; a longer text is refused rather than miscounted.
    if (m_end - m_p > INT_MAX - 64) {
        return fail(JsonParseError::PrematureEnd);
    }
    m_levels[0].closer = u'\0';
    skipTo(m_levels[0], State::ValueStart);
    for (;;) {
        Level& level = m_levels[m_depth];
        JsonParseError error = JsonParseError::None;
        switch (level.state) {
        case State::SkipBlanks:
            m_p = CharScan::skipBlanks(m_p, m_end);
            if (m_p < m_end && *m_p == u'/') {
                switch (skipComment()) {
                case Comment::Skipped:
                    continue;
                case Comment::Broken:
                    return fail(JsonParseError::BadComment);
                case Comment::EndOfText:
                    // A comment may run to the end of the text once the whole value is read.
                    if (m_depth == 0 && level.next == State::Finish) {
                        return std::move(level.current);
                    }
                    return fail(JsonParseError::PrematureEnd);
                }
            }
            level.state = level.next;
            break;

        case State::ValueStart:
            error = startValue(level);
            break;

        case State::Finish:
            if (m_depth == 0) {
                return std::move(level.current);
            }
            leaveLevel();
            break;

        case State::ExpectItem:
        case State::AfterItem:
            error = readItems(level, level.state);
            break;

        case State::ExpectMember:
        case State::ExpectColon:
        case State::ExpectMemberValue:
        case State::AfterMember:
            error = readMembers(level, level.state);
            break;
        }
        if (error != JsonParseError::None) {
            return fail(error);
        }
    }
}

// Values: the conversions between kinds, number texts and the compact and escaped writing.
#include "JsonArray.h"
#include "JsonMemberTable.h"
#include "ParseJson.h"
#include "SameTree.h"
#include "Unicode.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

JsonValue text(std::u16string_view chars)
{
    return JsonValue::fromText(chars);
}

JsonValue arrayOf(std::initializer_list<JsonValue> items)
{
    JsonValue array = JsonValue::ofKind(ValueKind::Array);
    for (const JsonValue& item : items) {
        array.toArray()->appendItem(item);
    }
    return array;
}

struct ConversionCase
{
    const char* label;
    JsonValue value;
    bool boolean;
    std::int64_t integer;
    double real;
    std::int64_t currency;
    std::u16string text;
};

TEST(JsonValue, ConversionsByKind)
{
    const ConversionCase cases[] = {
        {"null", JsonValue::ofKind(ValueKind::Null), false, 0, 0, 0, u"null"},
        {"true", JsonValue::fromBoolean(true), true, 1, 1, 10000, u"true"},
        {"false", JsonValue::fromBoolean(false), false, 0, 0, 0, u"false"},
        {"double 2.5", JsonValue::fromDouble(2.5), true, 2, 2.5, 25000, u"2.5"},
        {"double 3.5", JsonValue::fromDouble(3.5), true, 4, 3.5, 35000, u"3.5"},
        {"double -2.5", JsonValue::fromDouble(-2.5), true, -2, -2.5, -25000, u"-2.5"},
        {"double 0.375", JsonValue::fromDouble(0.375), true, 0, 0.375, 3750, u"0.375"},
        {"double 1e300", JsonValue::fromDouble(1e300), true, int64Max, 1e300, int64Max, u"1e+300"},
        {"double -0", JsonValue::fromDouble(-0.0), false, 0, 0, 0, u"-0"},
        {"currency 1.5", JsonValue::fromCurrency(15000), true, 2, 1.5, 15000, u"1.5"},
        {"currency 2.5", JsonValue::fromCurrency(25000), true, 2, 2.5, 25000, u"2.5"},
        {"currency -3.5", JsonValue::fromCurrency(-35000), true, -4, -3.5, -35000, u"-3.5"},
        {"currency 0.4999", JsonValue::fromCurrency(4999), true, 0, 0.4999, 4999, u"0.4999"},
        {"integer -7", JsonValue::fromInteger(-7), true, -7, -7, -70000, u"-7"},
        {"integer 0", JsonValue::fromInteger(0), false, 0, 0, 0, u"0"},
        // Integers up to 2^47 are held in the handle, larger ones in a value of their own.
        {"integer 2^47 - 1", JsonValue::fromInteger(140737488355327), true, 140737488355327,
            140737488355327.0, 1407374883553270000, u"140737488355327"},
        {"integer 2^47", JsonValue::fromInteger(140737488355328), true, 140737488355328,
            140737488355328.0, 1407374883553280000, u"140737488355328"},
        {"integer -2^47", JsonValue::fromInteger(-140737488355328), true, -140737488355328,
            -140737488355328.0, -1407374883553280000, u"-140737488355328"},
        {"integer -2^47 - 1", JsonValue::fromInteger(-140737488355329), true, -140737488355329,
            -140737488355329.0, -1407374883553290000, u"-140737488355329"},
        {"integer max", JsonValue::fromInteger(int64Max), true, int64Max, 9223372036854775807.0,
            int64Max, u"9223372036854775807"},
        {"integer min", JsonValue::fromInteger(int64Min), true, int64Min, -9223372036854775808.0,
            int64Min, u"-9223372036854775808"},
        {"array", arrayOf({JsonValue::fromInteger(1)}), true, 0, 0, 0, u"[1]"},
        {"empty array", JsonValue::ofKind(ValueKind::Array), true, 0, 0, 0, u"[]"},
        {"empty object", JsonValue::ofKind(ValueKind::Object), true, 0, 0, 0, u"{}"},
        {"string 42", text(u"42"), true, 42, 42, 420000, u"42"},
        {"string -1.25", text(u"-1.25"), true, 0, -1.25, -12500, u"-1.25"},
        {"string 1e2", text(u"1e2"), true, 0, 100, 1000000, u"1e2"},
        {"string with a blank", text(u" 5"), true, 0, 0, 0, u" 5"},
        {"string past 64 bits", text(u"9223372036854775808"), true, 0, 9223372036854775808.0,
            int64Max, u"9223372036854775808"},
        {"string word", text(u"abc"), true, 0, 0, 0, u"abc"},
        {"string inf", text(u"inf"), true, 0, 0, 0, u"inf"},
        {"empty string", text(u""), false, 0, 0, 0, u""},
        {"string with quotes", text(u"a\"b/"), true, 0, 0, 0, u"a\"b/"},
        {"method", JsonValue::fromMethod([](const JsonValue&) { return JsonValue(); }), true, 0, 0,
            0, u""},
        {"nothing", JsonValue(), false, 0, 0, 0, u""},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.value.toBoolean(), c.boolean);
        EXPECT_EQ(c.value.toInteger(), c.integer);
        EXPECT_EQ(c.value.toDouble(), c.real);
        EXPECT_EQ(c.value.toCurrency(), c.currency);
        EXPECT_EQ(Unicode::toUtf8(c.value.toText()), Unicode::toUtf8(c.text));
    }
}

TEST(JsonValue, CurrencyTextReadsBackAsTheSameCount)
{
    const struct
    {
        std::int64_t count;
        std::u16string_view text;
    } cases[] = {
        {15000, u"1.5"},
        {12345, u"1.2345"},
        {5, u"0.0005"},
        {-15000, u"-1.5"},
        {-5, u"-0.0005"},
        {10000, u"1."},
        {1230000, u"123."},
        {0, u"0"},
        {int64Min, u"-922337203685477.5808"},
        {int64Max, u"922337203685477.5807"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(
            Unicode::toUtf8(JsonValue::fromCurrency(c.count).toText()), Unicode::toUtf8(c.text));
        EXPECT_EQ(parseJson(c.text).toCurrency(), c.count);
    }
}

TEST(JsonValue, DoubleTextReadsBackAsTheSameValue)
{
    const double cases[] = {0.1 + 0.2, 1e21, 1e-7, 0.5, 3.0, 123456789012.5, 1234567890123.25,
        1152921504606846976.0, 9007199254740993.0, 5e-324, 2.2250738585072014e-308,
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const double real : cases) {
        SCOPED_TRACE(real);
        const std::u16string written = JsonValue::fromDouble(real).toText();
        EXPECT_EQ(parseJson(written).toDouble(), real) << Unicode::toUtf8(written);
    }
    EXPECT_EQ(JsonValue::fromDouble(std::nan("")).toText(), u"null");
}

struct EscapeCase
{
    std::u16string_view chars;
    std::u16string_view plain; // escape = false
    std::u16string_view escaped; // escape = true
};

const EscapeCase escapeCases[] = {
    {{u"\0", 1}, u"\\u0000", u"\\u0000"},
    {u"\b\t\n\f\r", u"\b\t\n\f\r", u"\\b\\t\\n\\f\\r"},
    {u"\x01\x1f\x0b", u"\x01\x1f\x0b", u"\\u0001\\u001f\\u000b"},
    {u"\"\\/", u"\\\"\\\\\\/", u"\\\"\\\\\\/"},
    {u" ~\x7f'", u" ~\x7f'", u" ~\x7f'"},
    {u"\x80\xe9\xff", u"\x80\xe9\xff", u"\\u0080\\u00e9\\u00ff"},
    {u"\u0915\u094d\u0937", u"\u0915\u094d\u0937", u"\\u0915\\u094d\\u0937"},
    {u"\xd83d\xde00\xdc00", u"\xd83d\xde00\xdc00", u"\\ud83d\\ude00\\udc00"},
};

TEST(JsonValue, StringsAndNamesAreEscapedByMode)
{
    for (const EscapeCase& c : escapeCases) {
        SCOPED_TRACE(Unicode::toUtf8(c.plain));
        const JsonValue string = text(c.chars);
        JsonValue object = JsonValue::ofKind(ValueKind::Object);
        object.asMemberTable()->putMember(c.chars.substr(c.chars.size() > 1 ? 0 : 1), string);
        for (const bool escape : {false, true}) {
            const std::u16string body(escape ? c.escaped : c.plain);
            EXPECT_EQ(string.toJsonText(false, escape), u"\"" + body + u"\"");
            // A name ends at U+0000, so the one-character NUL case gives an empty name.
            const std::u16string name = c.chars == std::u16string_view(u"\0", 1) ? u"" : body;
            EXPECT_EQ(object.toJsonText(false, escape), u"{\"" + name + u"\":\"" + body + u"\"}");
            EXPECT_EQ(parseJson(string.toJsonText(false, escape)).textView(), c.chars);
        }
    }
}

TEST(JsonValue, ContainersWriteCompactly)
{
    const JsonValue example = arrayOf({
        arrayOf({JsonValue::fromInteger(1), JsonValue::ofKind(ValueKind::Null),
            JsonValue::fromBoolean(true)}),
        arrayOf({JsonValue::fromDouble(2.5)}),
    });
    EXPECT_EQ(example.toText(), u"[[1,null,true],[2.5]]");

    // Slots passed over are written as null; method values are skipped with their comma.
    JsonValue sparse = JsonValue::ofKind(ValueKind::Array);
    sparse.toArray()->putAt(2, text(u"x"));
    EXPECT_EQ(sparse.toText(), u"[null,null,\"x\"]");
    const JsonValue withMethod = arrayOf({JsonValue::fromMethod({}), JsonValue::fromInteger(1),
        JsonValue::fromMethod({}), JsonValue::fromInteger(2)});
    EXPECT_EQ(withMethod.toText(), u"[1,2]");
    EXPECT_EQ(arrayOf({JsonValue::fromMethod({})}).toText(), u"[]");

    // Members come in table order: the hash of b is larger than that of a.
    JsonValue object = JsonValue::ofKind(ValueKind::Object);
    object.asMemberTable()->putMember(u"a", JsonValue::fromInteger(1));
    object.asMemberTable()->putMember(u"b", JsonValue());
    object.asMemberTable()->putMember(u"m", JsonValue::fromMethod({}));
    EXPECT_EQ(object.toText(), u"{\"b\":null,\"a\":1}");
}

TEST(JsonValue, ContainersHoldingThemselvesSkipThatItem)
{
    JsonValue array = arrayOf({JsonValue::fromInteger(1)});
    array.toArray()->appendItem(array);
    array.toArray()->appendItem(JsonValue::fromInteger(2));
    EXPECT_EQ(array.toText(), u"[1,2]");

    JsonValue object = JsonValue::ofKind(ValueKind::Object);
    const JsonValue inner = arrayOf({object});
    object.asMemberTable()->putMember(u"self", object);
    object.asMemberTable()->putMember(u"inner", inner);
    EXPECT_EQ(object.toText(), u"{\"inner\":[]}");
    // Written from the inside, both of the object's members are already being written.
    EXPECT_EQ(inner.toText(), u"[{}]");

    // Break the cycles so the values can go.
    array.toArray()->putAt(1, JsonValue());
    object.asMemberTable()->putMember(u"self", JsonValue());
    object.asMemberTable()->putMember(u"inner", JsonValue());
}

TEST(JsonValue, IndentedTextParsesBackEqual)
{
    const JsonValue value
        = parseJson(u"{\"list\":[1,2.5,\"x\",[],{}],\"name\":{\"deep\":[null,[true]]}}");
    const std::u16string indented = value.toJsonText(true, false);
    EXPECT_NE(indented.find(u"\r\n"), std::u16string::npos);
    EXPECT_TRUE(sameTree(value, parseJson(indented))) << Unicode::toUtf8(indented);
}

TEST(JsonArray, ItemAsString)
{
    const JsonValue value
        = parseJson(u"[null,\"plain \\\"q\\\"\",[\"a\\nb\\tc \u0915\\\"\\\\/\"],5,{}]");
    const JsonArray* items = value.toArray();
    ASSERT_TRUE(items);
    EXPECT_EQ(items->itemAsString(0), u"null");
    EXPECT_EQ(items->itemAsString(1), u"plain \"q\"");
    const std::u16string nested = items->itemAsString(2);
    EXPECT_EQ(nested, u"[\"a\nb\tc \u0915\\\"\\\\\\/\"]");
    EXPECT_EQ(parseJson(nested).toArray()->itemAsString(0), u"a\nb\tc \u0915\"\\/");
    EXPECT_EQ(items->itemAsString(3), u"5");
    EXPECT_EQ(items->itemAsString(4), u"{}");
    EXPECT_EQ(items->itemAsString(5), u"");
    EXPECT_EQ(items->itemAsString(-1), u"");
    EXPECT_TRUE(items->itemAt(5).isNothing());
}

TEST(JsonArray, GrowsByDoublingOrToTheIndex)
{
    const struct
    {
        std::vector<int> puts;
        int capacity;
        int length;
    } cases[] = {
        {{}, 32, 0},
        {{31}, 32, 32},
        {{32}, 64, 33},
        {{40, 64}, 128, 65},
        {{200}, 201, 201},
        {{5, 2}, 32, 6},
    };
    for (const auto& c : cases) {
        JsonValue value = JsonValue::ofKind(ValueKind::Array);
        JsonArray* array = value.toArray();
        for (const int index : c.puts) {
            array->putAt(index, JsonValue::fromInteger(index));
        }
        EXPECT_EQ(array->capacity(), c.capacity);
        EXPECT_EQ(array->arrayLength(), c.length);
        EXPECT_EQ(array->appendItem(JsonValue::fromInteger(7)), c.length);
    }
}

} // namespace

// The lenient parser: what each kind of text becomes, every error, nesting, the JSON test suite,
// and the write-and-parse-again round trip the answer reader relies on.
#include "ParseJson.h"

#include "JsonArray.h"
#include "JsonMemberTable.h"
#include "SameTree.h"
#include "Unicode.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <random>
#include <set>
#include <type_traits>

namespace {

std::string show(std::u16string_view text)
{
    return Unicode::toUtf8(text);
}

struct TextCase
{
    std::u16string_view input;
    ValueKind kind;
    std::u16string_view written; // compact text, escaped
};

const TextCase textCases[] = {
    // Not JSON at all: a string value with the text, trailing line breaks and spaces removed.
    {u"", ValueKind::String, u"\"\""},
    {u"  \r\n ", ValueKind::String, u"\"\""},
    {u"Error 502: bad gateway \r\n", ValueKind::String, u"\"Error 502: bad gateway\""},
    {u"\tplain\t", ValueKind::String, u"\"plain\\t\""},
    // Literals are case-sensitive and end only before a character that is no word character.
    {u"null", ValueKind::Null, u"null"},
    {u"nul", ValueKind::String, u"\"nul\""},
    {u"Null", ValueKind::String, u"\"Null\""},
    {u"nullx", ValueKind::String, u"\"nullx\""},
    {u"[true,false , null]", ValueKind::Array, u"[true,false,null]"},
    {u"[truest,True,fals,nul l]", ValueKind::Array, u"[\"truest\",\"True\",\"fals\",\"nul l\"]"},
    {u"[null\u0915]", ValueKind::Array, u"[\"null\\u0915\"]"},
    // Trailing commas, empty items, bare words and bare names.
    {u"[1,2,]", ValueKind::Array, u"[1,2]"},
    {u"[,1]", ValueKind::Array, u"[\"\",1]"},
    {u"[1,,2]", ValueKind::Array, u"[1,\"\",2]"},
    {u"[a b , c\t]", ValueKind::Array, u"[\"a b\",\"c\\t\"]"},
    {u"[a\\,b]", ValueKind::Array, u"[\"a,b\"]"},
    {u"[+1,.5,)]", ValueKind::Array, u"[\"+1\",\".5\",\")\"]"},
    {u"{a b :1}", ValueKind::Object, u"{\"a b \":1}"},
    {u"{a:}", ValueKind::Object, u"{\"a\":\"\"}"},
    {u"{a: b c ,}", ValueKind::Object, u"{\"a\":\"b c\"}"},
    {u"{'a':'b\"'}", ValueKind::Object, u"{\"a\":\"b\\\"\"}"},
    {u"{\"x\":[1,{y:[]}]}", ValueKind::Object, u"{\"x\":[1,{\"y\":[]}]}"},
    {u"ab\\u0000cd", ValueKind::String, u"\"ab\""},
    {u"{'a\\u0000b':1}", ValueKind::Object, u"{\"a\":1}"},
    // A name put together from escapes keeps its text while the value after it is read.
    {u"{\"a\\u0062\":\"c\\u0064\",\"e\":{\"f\\u0067\":'h\\u0069'}}", ValueKind::Object,
        u"{\"e\":{\"fg\":\"hi\"},\"ab\":\"cd\"}"},
    // A repeated name keeps one member with the last value.
    {u"{\"a\":1,\"a\":2}", ValueKind::Object, u"{\"a\":2}"},
    // Only the first complete value counts; blanks and comments may follow it.
    {u"[1]x", ValueKind::Array, u"[1]"},
    {u"\"\"x", ValueKind::String, u"\"\""},
    {u"(1)", ValueKind::Integer, u"1"},
    {u"[1]\u0000garbage", ValueKind::Array, u"[1]"},
    // Comments stand wherever blanks may, and may run to the end after the value.
    {u"/* a */ [1, // b\n 2 /* c **/ ] // d", ValueKind::Array, u"[1,2]"},
    {u"[1]/* open", ValueKind::Array, u"[1]"},
    {u"[1]//", ValueKind::Array, u"[1]"},
    {u"{/**/a:/**/1/**/}", ValueKind::Object, u"{\"a\":1}"},
    {u"{a/**/:1}", ValueKind::Object, u"{\"a\\/**\\/\":1}"},
    // Strings keep raw line breaks and tabs; escapes are decoded, any other escaped character is
    // itself, and surrogates come out code unit by code unit.
    {u"'tab\there\nline'", ValueKind::String, u"\"tab\\there\\nline\""},
    {u"\"\\b\\f\\n\\r\\t\\u0041\\x42\\q\\/\\'\"", ValueKind::String, u"\"\\b\\f\\n\\r\\tABq\\/'\""},
    {u"\"\\ud83d\\ude00 \\udc00\"", ValueKind::String, u"\"\\ud83d\\ude00 \\udc00\""},
    {u"\"a\\u0000b\"", ValueKind::String, u"\"a\\u0000b\""},
    {u"\"\\u00E9\\u0915\"", ValueKind::String, u"\"\\u00e9\\u0915\""},
};

TEST(ParseJson, TextsBecomeTheseValues)
{
    for (const TextCase& c : textCases) {
        SCOPED_TRACE(show(c.input));
        const JsonValue value = parseJson(c.input);
        ASSERT_TRUE(value);
        EXPECT_EQ(value.kindOf(), c.kind);
        EXPECT_EQ(show(value.toJsonText(false, true)), show(c.written));
    }
}

struct FailureCase
{
    std::u16string_view input;
    JsonParseError error;
};

const FailureCase failureCases[] = {
    {u"[1]/x", JsonParseError::BadComment},
    {u"/", JsonParseError::BadComment},
    {u"[1 /* x", JsonParseError::PrematureEnd},
    {u"[1 // x", JsonParseError::PrematureEnd},
    {u"\"abc", JsonParseError::PrematureEnd},
    {u"'abc\"", JsonParseError::PrematureEnd},
    {u"[\"a\\", JsonParseError::PrematureEnd},
    {u"abc\\", JsonParseError::PrematureEnd},
    {u"{\"ab", JsonParseError::PrematureEnd},
    {u"\"\\u12\"", JsonParseError::BadEscape},
    {u"\"\\u12", JsonParseError::BadEscape},
    {u"\"\\xZ1\"", JsonParseError::BadEscape},
    {u"[1 2]", JsonParseError::ItemSeparatorExpected},
    {u"[1", JsonParseError::ItemSeparatorExpected},
    {u"[", JsonParseError::ItemSeparatorExpected},
    {u"[null1]", JsonParseError::ItemSeparatorExpected},
    {u"[0x1F]", JsonParseError::ItemSeparatorExpected},
    {u"[1\u0000]", JsonParseError::ItemSeparatorExpected},
    {u"{,}", JsonParseError::BadMemberName},
    {u"{:1}", JsonParseError::BadMemberName},
    {u"{", JsonParseError::BadMemberName},
    {u"{a 1}", JsonParseError::ColonExpected},
    {u"{'a' 1}", JsonParseError::ColonExpected},
    {u"{'a':1 'b':2}", JsonParseError::MemberSeparatorExpected},
    {u"{'a':1", JsonParseError::MemberSeparatorExpected},
};

TEST(ParseJson, BrokenTextsGiveNothing)
{
    for (const FailureCase& c : failureCases) {
        SCOPED_TRACE(show(c.input));
        JsonParseError error = JsonParseError::None;
        EXPECT_TRUE(parseJson(c.input, &error).isNothing());
        EXPECT_EQ(error, c.error);
    }
}

struct NumberCase
{
    std::u16string_view input;
    ValueKind kind;
    std::int64_t exact; // integer or currency count
    double real;
};

constexpr double inf = std::numeric_limits<double>::infinity();

const NumberCase numberCases[] = {
    {u"10", ValueKind::Integer, 10, 0},
    {u"15", ValueKind::Integer, 15, 0},
    {u"-0", ValueKind::Integer, 0, 0},
    {u"0x1F", ValueKind::Integer, 0, 0},
    {u"1-2", ValueKind::Integer, 1, 0},
    {u"-", ValueKind::Integer, 0, 0},
    {u"-9223372036854775808", ValueKind::Integer, std::numeric_limits<std::int64_t>::min(), 0},
    // Around the eighteen digits read on the short path.
    {u"999999999999999999", ValueKind::Integer, 999999999999999999, 0},
    {u"-999999999999999999", ValueKind::Integer, -999999999999999999, 0},
    {u"9223372036854775807", ValueKind::Integer, std::numeric_limits<std::int64_t>::max(), 0},
    {u"9223372036854775808", ValueKind::Double, 0, 9223372036854775808.0},
    {u"123456789012345678.5", ValueKind::Double, 0, 123456789012345678.5},
    {u"12+3", ValueKind::Integer, 12, 0},
    {u"0.93", ValueKind::Currency, 9300, 0},
    {u"1.5", ValueKind::Currency, 15000, 0},
    {u"1.", ValueKind::Currency, 10000, 0},
    {u"-1.5", ValueKind::Currency, -15000, 0},
    {u"0.0001", ValueKind::Currency, 1, 0},
    {u"-922337203685477.5808", ValueKind::Currency, std::numeric_limits<std::int64_t>::min(), 0},
    {u"1.23456", ValueKind::Double, 0, 1.23456},
    {u"1.50001", ValueKind::Double, 0, 1.50001},
    {u"15e-1", ValueKind::Double, 0, 1.5},
    {u"1e3", ValueKind::Double, 0, 1000},
    {u"1.5e", ValueKind::Double, 0, 1.5},
    {u"1e999", ValueKind::Double, 0, inf},
    {u"-1e999", ValueKind::Double, 0, -inf},
    {u"1e-999", ValueKind::Double, 0, 0},
    {u"4.9e-324", ValueKind::Double, 0, 4.9e-324},
    // Past 64 bits an integer or a currency count is read as a double instead of wrapping.
    {u"99999999999999999999", ValueKind::Double, 0, 1e20},
    {u"9999999999999999.5", ValueKind::Double, 0, 9999999999999999.5},
};

TEST(ParseJson, NumbersBecomeIntegersCurrenciesOrDoubles)
{
    for (const NumberCase& c : numberCases) {
        SCOPED_TRACE(show(c.input));
        const JsonValue value = parseJson(c.input);
        ASSERT_EQ(value.kindOf(), c.kind);
        if (c.kind == ValueKind::Double) {
            EXPECT_EQ(value.toDouble(), c.real);
        } else if (c.kind == ValueKind::Currency) {
            EXPECT_EQ(value.toCurrency(), c.exact);
        } else {
            EXPECT_EQ(value.toInteger(), c.exact);
        }
    }
}

// The number std::from_chars gives for the text, bit for bit, as the parser must give it; the
// text stands after some blanks, so that it is read from every position of the eight code
// units the reader takes at once.
template <class Number> void expectReadAsTheStandardReadsIt(const std::string& text, int blanks)
{
    Number expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    std::string framed = "[";
    framed.append(std::size_t(blanks), ' ').append(text).push_back(']');
    const JsonValue value = parseJson(Unicode::fromUtf8(framed));
    ASSERT_TRUE(value.toArray()) << text;
    const JsonValue& item = value.toArray()->itemAt(0);
    constexpr bool integer = std::is_integral_v<Number>;
    ASSERT_EQ(item.kindOf(), integer ? ValueKind::Integer : ValueKind::Double) << text;
    const Number read = integer ? Number(item.toInteger()) : Number(item.toDouble());
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0)
        << text << " read as " << read << ", not " << expected;
}

// Numbers of up to 19 digits are read without the standard library, so they must come out as
// it reads them: doubles at the halfway points between two doubles and next to them, at the
// ends of the powers of ten held exactly, for many random digits and exponents, and integers
// of every length.
TEST(ParseJson, NumbersReadAsTheStandardLibraryReadsThem)
{
    for (const char* text :
        {"9007199254740993e0", "9007199254740993.00001", "9007199254740992.5e0",
            "-9007199254740995e0", "1.7976931348623157e308", "2.2250738585072014e-308",
            "4.9406564584124654e-324", "1e27", "1e28", "1e-27", "1e-28", "12345678901234567890e-10",
            "9999999999999999999e27", "9999999999999999999e-27", "0.1e1", "1e23", "8.589973e9",
            "-0.0e0", "0.000000000000000000000000000001", "18446744073709551615e-5",
            "-65.613616999999977", "43.420273000000009", "1.00000000000000011102230246251565"}) {
        expectReadAsTheStandardReadsIt<double>(text, 0);
    }
    std::mt19937_64 random(20261211);
    char text[64];
    for (int i = 0; i < 100000; ++i) {
        const int blanks = int(random() % 10);
        // Just below, at or above the halfway point above a random double, to 15 to 19 digits.
        const std::uint64_t binaryExponent = 1023 - 70 + random() % 140;
        const std::uint64_t bits = binaryExponent << 52 | random() >> 12;
        double low = 0;
        std::memcpy(&low, &bits, sizeof low);
        const long double halfway
            = (static_cast<long double>(low) + static_cast<long double>(std::nextafter(low, inf)))
            / 2;
        const int precision = 14 + int(random() % 5);
        std::snprintf(text, sizeof text, "%.*Le", precision, halfway);
        expectReadAsTheStandardReadsIt<double>(text, blanks);
        // Random digits before and after a point, with or without an exponent.
        const int digits = 1 + int(random() % 19);
        const int point = int(random() % unsigned(digits));
        std::string number = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            number += char('0' + random() % 10);
            number += d == point ? "." : "";
        }
        number += "00001";
        if (random() % 2) {
            number += 'e';
            number += std::to_string(int(random() % 80) - 40);
        }
        expectReadAsTheStandardReadsIt<double>(number, blanks);
        // An integer of 1 to 18 digits.
        std::snprintf(text, sizeof text, "%lld",
            static_cast<long long>(random() >> (random() % 64)) * (random() % 2 ? 1 : -1)
                % 1000000000000000000LL);
        expectReadAsTheStandardReadsIt<std::int64_t>(text, blanks);
    }
}

std::u16string nested(
    int depth, std::u16string_view open, std::u16string_view inner, std::u16string_view close)
{
    std::u16string text;
    for (int i = 0; i < depth; ++i) {
        text += open;
    }
    text += inner;
    for (int i = 0; i < depth; ++i) {
        text += close;
    }
    return text;
}

// Runs of blanks are skipped several code units at a time, so every length and mix of them, and
// a character that is no blank at any place after them, must be seen where they stand.
TEST(ParseJson, RunsOfBlanksEndAtTheFirstOtherCharacter)
{
    static constexpr char16_t blanks[] = u" \n\r\t\b\f";
    std::mt19937 random(5);
    for (int length = 0; length <= 40; ++length) {
        std::u16string run;
        for (int i = 0; i < length; ++i) {
            run += i % 3 ? u' ' : blanks[random() % 6];
        }
        const std::u16string entries = u"[" + run + u"1" + run + u"," + run + u"{" + run + u"\"a\""
            + run + u":" + run + u"true" + run + u"}" + run + u"]" + run;
        SCOPED_TRACE(show(entries));
        EXPECT_EQ(parseJson(entries).toJsonText(), u"[1,{\"a\":true}]");
        // Neither U+000B nor U+00A0 is a blank: each starts a bare word.
        for (const char16_t other : {u'\v', u'\u00a0'}) {
            EXPECT_EQ(parseJson(u"[" + run + other + u"]").toArray()->itemAsString(0),
                std::u16string(1, other));
        }
    }
}

// Lists of numbers inside lists are read in one go; whatever else stands in them (a comment, a
// trailing comma, a word, a missing comma, the end of the text, the depth limit) is read as in
// any list.
TEST(ParseJson, ListsOfNumbersInsideListsReadAsAnyList)
{
    using namespace std::string_literals;
    const struct
    {
        std::u16string text;
        JsonParseError error;
        std::u16string json;
    } cases[] = {
        {u"[[1,2],[3 , -4.5 ],[]]", JsonParseError::None, u"[[1,2],[3,-4.5],[]]"},
        {u"[[1,2,]]", JsonParseError::None, u"[[1,2]]"},
        {u"[[1,/*c*/2]]", JsonParseError::None, u"[[1,2]]"},
        {u"[[1,2]/*c*/,[3]]", JsonParseError::None, u"[[1,2],[3]]"},
        {u"[[1,x]]", JsonParseError::None, u"[[1,\"x\"]]"},
        {u"[[1,[2]]]", JsonParseError::None, u"[[1,[2]]]"},
        {u"[[1 2]]", JsonParseError::ItemSeparatorExpected, u""},
        {u"[[1,2", JsonParseError::ItemSeparatorExpected, u""},
        {u"[[1,2\0,3]]"s, JsonParseError::ItemSeparatorExpected, u""},
        {nested(30, u"[", u"[1,2]", u"]"), JsonParseError::None, nested(30, u"[", u"[1,2]", u"]")},
        {nested(31, u"[", u"[1,2]", u"]"), JsonParseError::TooDeep, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(show(c.text));
        JsonParseError error = JsonParseError::None;
        EXPECT_EQ(parseJson(c.text, &error).toJsonText(), c.json);
        EXPECT_EQ(error, c.error);
    }
}

TEST(ParseJson, NestingStopsAtThirtyTwoLevels)
{
    EXPECT_EQ(parseJson(nested(32, u"[", u"", u"]")).kindOf(), ValueKind::Array);
    EXPECT_EQ(parseJson(nested(31, u"[", u"{}", u"]")).kindOf(), ValueKind::Array);
    struct
    {
        std::u16string text;
    } tooDeep[] = {
        {nested(33, u"[", u"", u"]")},
        {nested(32, u"[", u"1", u"]")},
        {nested(31, u"[", u"{a:1}", u"]")},
        {nested(32, u"{a:", u"1", u"}")},
        {nested(100000, u"[", u"", u"]")},
    };
    for (const auto& c : tooDeep) {
        JsonParseError error = JsonParseError::None;
        EXPECT_TRUE(parseJson(c.text, &error).isNothing());
        EXPECT_EQ(error, JsonParseError::TooDeep);
    }
}

// n_ files of the suite that the parser accepts by design, each under the leniency behind it.
const std::set<std::string> acceptedOnPurpose = {
    // Bare words become strings (also a lone minus, which reads as the integer 0).
    "n_array_a_invalid_utf8.json",
    "n_array_invalid_utf8.json",
    "n_array_just_minus.json",
    "n_array_star_inside.json",
    "n_incomplete_false.json",
    "n_incomplete_null.json",
    "n_incomplete_true.json",
    "n_number_++.json",
    "n_number_+1.json",
    "n_number_+Inf.json",
    "n_number_.-1.json",
    "n_number_.2e-3.json",
    "n_number_Inf.json",
    "n_number_NaN.json",
    "n_number_U+FF11_fullwidth_digit_one.json",
    "n_number_infinity.json",
    "n_number_starting_with_dot.json",
    "n_object_bad_value.json",
    "n_string_accentuated_char_no_quotes.json",
    "n_string_leading_uescaped_thinspace.json",
    "n_string_no_quotes_with_bad_escape.json",
    "n_string_single_string_no_double_quotes.json",
    "n_structure_U+2060_word_joined.json",
    "n_structure_UTF8_BOM_no_data.json",
    "n_structure_angle_bracket_..json",
    "n_structure_angle_bracket_null.json",
    "n_structure_ascii-unicode-identifier.json",
    "n_structure_capitalized_True.json",
    "n_structure_end_array.json",
    "n_structure_incomplete_UTF8_BOM.json",
    "n_structure_lone-invalid-utf-8.json",
    "n_structure_single_eacute.json",
    "n_structure_single_star.json",
    "n_structure_uescaped_LF_before_string.json",
    "n_structure_unicode-identifier.json",
    "n_structure_whitespace_U+2060_word_joiner.json",
    "n_structure_whitespace_formfeed.json",
    "n_single_space.json",
    "n_structure_no_data.json",
    // Empty items and trailing commas.
    "n_array_comma_and_number.json",
    "n_array_double_comma.json",
    "n_array_double_extra_comma.json",
    "n_array_extra_comma.json",
    "n_array_just_comma.json",
    "n_array_missing_value.json",
    "n_array_number_and_comma.json",
    "n_array_number_and_several_commas.json",
    "n_object_trailing_comma.json",
    "n_object_lone_continuation_byte_in_key_and_trailing_comma.json",
    // Text after the first complete value is not looked at.
    "n_array_comma_after_close.json",
    "n_array_extra_close.json",
    "n_object_with_trailing_garbage.json",
    "n_string_with_trailing_garbage.json",
    "n_structure_array_trailing_garbage.json",
    "n_structure_array_with_extra_array_close.json",
    "n_structure_close_unopened_array.json",
    "n_structure_double_array.json",
    "n_structure_number_with_trailing_garbage.json",
    "n_structure_object_followed_by_closing_object.json",
    "n_structure_object_with_trailing_garbage.json",
    "n_structure_trailing_#.json",
    // Comments.
    "n_object_trailing_comment.json",
    "n_object_trailing_comment_slash_open.json",
    "n_structure_object_with_comment.json",
    // Bare and single-quoted names and strings.
    "n_object_key_with_single_quotes.json",
    "n_object_non_string_key.json",
    "n_object_non_string_key_but_huge_number_instead.json",
    "n_object_repeated_null_null.json",
    "n_object_single_quote.json",
    "n_object_unquoted_key.json",
    "n_string_single_quote.json",
    "n_object_double_colon.json",
    // Escapes of any character, \x, and raw control characters inside strings.
    "n_string_escape_x.json",
    "n_string_escaped_ctrl_char_tab.json",
    "n_string_escaped_emoji.json",
    "n_string_invalid_backslash_esc.json",
    "n_string_invalid_utf8_after_escape.json",
    "n_string_unicode_CapitalU.json",
    "n_string_unescaped_newline.json",
    "n_string_unescaped_tab.json",
    // Numbers read as far as their characters go: leading zeros, a bare point, loose exponents.
    "n_multidigit_number_then_00.json",
    "n_number_-01.json",
    "n_number_-1.0..json",
    "n_number_-2..json",
    "n_number_0.1.2.json",
    "n_number_0.3e+.json",
    "n_number_0.3e.json",
    "n_number_0.e1.json",
    "n_number_0_capital_E+.json",
    "n_number_0_capital_E.json",
    "n_number_0e+.json",
    "n_number_0e.json",
    "n_number_1.0e+.json",
    "n_number_1.0e-.json",
    "n_number_1.0e.json",
    "n_number_1eE2.json",
    "n_number_2.e+3.json",
    "n_number_2.e-3.json",
    "n_number_2.e3.json",
    "n_number_9.e+.json",
    "n_number_expression.json",
    "n_number_invalid+-.json",
    "n_number_neg_int_starting_with_zero.json",
    "n_number_neg_real_without_int_part.json",
    "n_number_real_without_fractional_part.json",
    "n_number_with_leading_zero.json",
};

TEST(ParseJson, JsonTestSuite)
{
    const std::filesystem::path folder
        = std::filesystem::path(QUENDRA_SOURCE_DIR) / "tests/json/data/JSONTestSuite/test_parsing";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(file), {});
        const JsonValue value = parseJson(Unicode::fromUtf8(bytes));
        ++files;
        if (name.starts_with("y_")) {
            EXPECT_TRUE(value) << name;
        } else if (name.starts_with("n_")) {
            EXPECT_EQ(bool(value), acceptedOnPurpose.contains(name)) << name;
        }
    }
    EXPECT_GT(files, 0) << "no test files in " << folder;
}

// Text is scanned several code units at a time: a character that needs care must be found at
// every position of a string, the last few included, by the writer and by the parser.
TEST(ParseJson, EscapesAtEveryPositionRoundTrip)
{
    const struct
    {
        char16_t character;
        std::u16string_view plain; // written with escape = false
    } specials[] = {{u'"', u"\\\""}, {u'\\', u"\\\\"}, {u'/', u"\\/"}, {u'\0', u"\\u0000"},
        {u'\n', u"\n"}, {u'\u0915', u"\u0915"}};
    for (const auto& special : specials) {
        for (std::size_t length = 1; length <= 20; ++length) {
            for (std::size_t at = 0; at < length; ++at) {
                std::u16string chars(length, u'a');
                chars[at] = special.character;
                std::u16string expected = u"[\"" + std::u16string(at, u'a');
                expected += special.plain;
                expected += std::u16string(length - at - 1, u'a') + u"\"]";
                const JsonValue array
                    = parseJson(u"[" + JsonValue::fromText(chars).toJsonText() + u"]");
                SCOPED_TRACE(show(expected));
                ASSERT_TRUE(array.toArray());
                EXPECT_EQ(array.toJsonText(), expected);
                EXPECT_EQ(array.toArray()->itemAsString(0), chars);
            }
        }
    }
}

// Random trees of arrays, objects, strings full of characters that need care, nulls and
// numbers, written in both escape modes, must parse back to equal trees.
class TreeMaker
{
public:
    explicit TreeMaker(unsigned seed)
        : m_random(seed)
    { }

    JsonValue make(int depth)
    {
        switch (pick(depth < 31 ? 7 : 5)) {
        case 0:
            return JsonValue::ofKind(ValueKind::Null);
        case 1:
            return JsonValue::fromText(text());
        case 2:
            return JsonValue::fromInteger(
                std::int64_t(m_random()) - (std::int64_t(1) << 31) * std::int64_t(m_random() % 4));
        case 3:
            return JsonValue::fromCurrency(std::int64_t(m_random() % 2000000000) - 1000000000);
        case 4: {
            double real = 0;
            do {
                const std::uint64_t bits = std::uint64_t(m_random()) << 32 | m_random();
                std::memcpy(&real, &bits, sizeof real);
            } while (std::isnan(real));
            return JsonValue::fromDouble(pick(2) ? real : double(m_random() % 100000) / 64);
        }
        case 5: {
            JsonValue array = JsonValue::ofKind(ValueKind::Array);
            for (int i = pick(6); i > 0; --i) {
                array.toArray()->appendItem(make(depth + 1));
            }
            return array;
        }
        default: {
            JsonValue object = JsonValue::ofKind(ValueKind::Object);
            for (int i = pick(4); i > 0; --i) {
                std::u16string name = text();
                std::erase(name, u'\0');
                object.asMemberTable()->putMember(name, make(depth + 1));
            }
            return object;
        }
        }
    }

private:
    int pick(int count) { return int(m_random() % unsigned(count)); }

    std::u16string text()
    {
        static constexpr char16_t pool[] = u"a \"\\/'\b\f\n\r\t\x01\x1f\x7f\xe9\u0915\u094d\u0937"
                                           u"\xd83d\xde00\xd800\xdc00{}[],:";
        std::u16string result;
        for (int i = pick(12); i > 0; --i) {
            result += pick(8) ? pool[pick(int(std::size(pool)))] : u'\0';
        }
        return result;
    }

    std::mt19937 m_random;
};

TEST(ParseJson, WrittenTreesParseBackEqual)
{
    TreeMaker maker(20261210);
    for (int i = 0; i < 400; ++i) {
        JsonValue tree = JsonValue::ofKind(ValueKind::Array);
        for (int item = 0; item < 8; ++item) {
            tree.toArray()->appendItem(maker.make(1));
        }
        for (const bool escape : {false, true}) {
            const std::u16string text = tree.toJsonText(false, escape);
            ASSERT_TRUE(sameTree(tree, parseJson(text))) << show(text);
        }
    }
}

} // namespace

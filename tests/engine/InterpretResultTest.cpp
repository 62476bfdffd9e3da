// Reading the translation service's answer, and the messages for known transport failures.
#include "InterpretResult.h"

#include <gtest/gtest.h>

namespace {

const char* const parseFailure = "ERROR: Failed to parse translation results.";

struct Case
{
    const char* label;
    std::u16string_view text;
    std::u16string_view translation;
    const char* message;
};

const Case cases[] = {
    {"worked example",
        u"[[[\"सुप्रभात. \",\"Good morning. \",null,null,3],[\"तुम्ही कसे आहात?\",\"How are "
        u"you?\",null,null,3]],null,\"en\"]",
        u"सुप्रभात. तुम्ही कसे आहात?", ""},
    {"segments keep their own line breaks and quotes",
        u"[[[\"line \\\"one\\\"\\n\",\"x\"],[\"\\\\two/\\r\\n\",\"y\"],[\"\\u0915\\t\"]]]",
        u"line \"one\"\n\\two/\r\n\u0915\t", ""},
    {"a number contributes its text; an empty segment nothing",
        u"[[[5],[],[1.5],[null],[[\"a\"]]]]", u"51.5null[\"a\"]", ""},
    {"no segments", u"[[]]", u"", ""},
    // Each level is the text of an item read again as JSON: a string item is read as the JSON
    // text it holds, and a number takes the text it has after each write and read.
    {"strings hold the segments", u"[\"[[\\\"a\\\"],\\\"[\\\\\\\"b\\\\\\\"]\\\"]\"]", u"ab", ""},
    {"numbers written and read twice", u"[[[-0e0],[1.50],[2.0e0],[{\"b\":-0e0}]]]",
        u"01.52{\"b\":0}", ""},
    {"a number written and read once", u"[\"[[-0e0]]\"]", u"0", ""},
    {"a number never written", u"[\"[\\\"[-0e0]\\\"]\"]", u"-0", ""},
    {"closed connection", u"Connection Closed Gracefully.", u"", "Internet Connection Closed."},
    {"time-out", u"Socket Error # 10060\r\nConnection timed out.", u"",
        "Connection timed out. ( Blocked? )"},
    {"forbidden", u"HTTP/1.1 403 Forbidden", u"",
        "Translate Engine disabled, Please try again later."},
    // Only the exact texts are known.
    {"trailing space", u"Connection Closed Gracefully. ", u"", parseFailure},
    {"other case", u"connection closed gracefully.", u"", parseFailure},
    {"other socket error", u"Socket Error # 10061\r\nConnection refused.", u"", parseFailure},
    {"other status", u"HTTP/1.1 404 Not Found", u"", parseFailure},
    {"403 of HTTP/1.0", u"HTTP/1.0 403 Forbidden", u"", parseFailure},
    // Anything but the answer's shape fails, also after segments that were read.
    {"empty text", u"", u"", parseFailure},
    {"broken JSON", u"[[[\"a\"]", u"", parseFailure},
    {"not an array", u"{\"a\":1}", u"", parseFailure},
    {"empty top array", u"[]", u"", parseFailure},
    {"null first item", u"[null,\"en\"]", u"", parseFailure},
    {"word as first item", u"[\"word\"]", u"", parseFailure},
    {"word as a segment", u"[[[\"a\"],\"word\"]]", u"", parseFailure},
};

TEST(InterpretResult, AnswersAndFailures)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::u16string translation = u"earlier";
        std::string message = "earlier";
        interpretResult(c.text, false, translation, message);
        EXPECT_TRUE(translation == c.translation);
        EXPECT_EQ(message, c.message);
    }
}

TEST(InterpretResult, SkipOnlyEmptiesTheMessage)
{
    std::u16string translation = u"kept";
    std::string message = "old";
    interpretResult(u"HTTP/1.1 403 Forbidden", true, translation, message);
    EXPECT_EQ(translation, u"kept");
    EXPECT_EQ(message, "");
}

} // namespace

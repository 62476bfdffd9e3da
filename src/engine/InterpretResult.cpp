// Reading the translation service's answer: a JSON array whose first item is the list of
// segments, each segment an array whose first item is its translated text.
#include "InterpretResult.h"

#include "JsonArray.h"
#include "ParseJson.h"

namespace {

struct KnownFailure
{
    std::u16string_view text;
    const char* message;
};

constexpr KnownFailure knownFailures[] = {
    {u"Connection Closed Gracefully.", "Internet Connection Closed."},
    {u"Socket Error # 10060\r\nConnection timed out.", "Connection timed out. ( Blocked? )"},
    {u"HTTP/1.1 403 Forbidden", "Translate Engine disabled, Please try again later."},
};

constexpr const char* ParseFailure = "ERROR: Failed to parse translation results.";

} // namespace

void interpretResult(
    std::u16string_view text, bool skip, std::u16string& translation, std::string& message)
{
    message.clear();
    if (skip) {
        return;
    }
    translation.clear();
    for (const KnownFailure& failure : knownFailures) {
        if (text == failure.text) {
            message = failure.message;
            return;
        }
    }
    // Each level is reached by writing an item as JSON text and parsing that text again. The
    // answer's own tree goes as soon as its first item is written.
    std::u16string segmentText;
    {
        const JsonValue answer = parseJson(text);
        const JsonArray* top = answer.toArray();
        if (!top) {
            message = ParseFailure;
            return;
        }
        segmentText = top->itemAsString(0);
    }
    const JsonValue segmentValue = parseJson(segmentText);
    segmentText = std::u16string();
    const JsonArray* segments = segmentValue.toArray();
    if (!segments) {
        message = ParseFailure;
        return;
    }
    std::u16string joined;
    for (int i = 0; i < segments->arrayLength(); ++i) {
        const JsonValue segment = parseJson(segments->itemAsString(i));
        const JsonArray* items = segment.toArray();
        if (!items) {
            message = ParseFailure;
            return;
        }
        joined += items->itemAsString(0);
    }
    translation = std::move(joined);
}

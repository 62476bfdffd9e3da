// Reading the translation service's answer: a JSON array whose first item is the list of
// segments, each segment an array whose first item is its translated text.
#include "InterpretResult.h"

#include "JsonArray.h"
#include "JsonStringWriter.h"
#include "ParseJson.h"

#include <algorithm>
#include <climits>

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
constexpr const char* TooManySegments = "The answer holds more than 10000 segments.";
static_assert(MaxSegments == 10000, "TooManySegments names the limit");

// Puts the text of item index of items into buffer, as itemAsString gives it (empty when the
// writer fails), in place of what the buffer held.
void writeItemText(const JsonArray& items, int index, JsonStringWriter& buffer)
{
    buffer.discard();
    if (items.itemAt(index).writeText(buffer) < 0) {
        buffer.discard();
    }
}

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
    JsonStringWriter itemText;
    {
        const JsonValue answer = parseJson(text);
        const JsonArray* top = answer.toArray();
        if (!top) {
            message = ParseFailure;
            return;
        }
        // The first item's text is nearly all of the answer.
        itemText.reserve(int(std::min<std::size_t>(text.size() + 64, INT_MAX / 2)));
        writeItemText(*top, 0, itemText);
    }
    const JsonValue segmentValue = parseJson(itemText.view());
    itemText = JsonStringWriter();
    const JsonArray* segments = segmentValue.toArray();
    if (!segments) {
        message = ParseFailure;
        return;
    }
    if (segments->arrayLength() > MaxSegments) {
        message = TooManySegments;
        return;
    }
    JsonStringWriter joined;
    for (int i = 0; i < segments->arrayLength(); ++i) {
        writeItemText(*segments, i, itemText);
        const JsonValue segment = parseJson(itemText.view());
        const JsonArray* items = segment.toArray();
        if (!items || items->itemAt(0).writeText(joined) < 0) {
            message = ParseFailure;
            return;
        }
    }
    translation = joined.currentText();
}

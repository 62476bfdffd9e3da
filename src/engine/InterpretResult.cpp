// Reading the translation service's answer: a JSON array whose first item is the list of
// segments, each segment an array whose first item is its translated text.
#include "InterpretResult.h"

#include "JsonArray.h"
#include "JsonStringWriter.h"
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
constexpr const char* TooManySegments = "The answer holds more than 10000 segments.";
static_assert(MaxSegments == 10000, "TooManySegments names the limit");

// Each level of the answer is the text of an item of the level above, read again as JSON. The
// reading is done only where it can change something: a string item is read as the JSON text it
// holds, while an array written and read gives back the same items, so it stands for itself. A
// string comes through any number of writes and reads unchanged; other values may not (-0e0
// comes back as 0), so a translation item that is no string is written and read as many times as
// the levels above it were.
struct Level
{
    const JsonArray* items = nullptr;
    int roundTrips = 0; // writes and reads its items went through
    JsonValue parsed; // holds the items read from a string
};

Level readLevel(const JsonValue& item, int roundTrips)
{
    Level level;
    if (const JsonArray* items = item.toArray()) {
        level.items = items;
        level.roundTrips = roundTrips + 1;
    } else if (item.kindOf() == ValueKind::String) {
        level.parsed = parseJson(item.textView());
        level.items = level.parsed.toArray();
    }
    return level;
}

// Appends the text the item has after the level's writes and reads; false when a write failed.
bool writeTranslation(const JsonValue& item, int roundTrips, JsonStringWriter& out)
{
    if (item.isNothing() || item.kindOf() == ValueKind::String) {
        return item.writeText(out) >= 0;
    }
    JsonValue value = item;
    JsonStringWriter text;
    for (; roundTrips > 0; --roundTrips) {
        text.discard();
        if (value.writeText(text) < 0) {
            return false;
        }
        value = parseJson(text.view());
    }
    return value.writeText(out) >= 0;
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
    const JsonValue answer = parseJson(text);
    const JsonArray* top = answer.toArray();
    const Level segments = top ? readLevel(top->itemAt(0), 0) : Level();
    if (!segments.items) {
        message = ParseFailure;
        return;
    }
    if (segments.items->arrayLength() > MaxSegments) {
        message = TooManySegments;
        return;
    }
    JsonStringWriter joined;
    for (int i = 0; i < segments.items->arrayLength(); ++i) {
        const Level segment = readLevel(segments.items->itemAt(i), segments.roundTrips);
        if (!segment.items
            || !writeTranslation(segment.items->itemAt(0), segment.roundTrips, joined)) {
            message = ParseFailure;
            return;
        }
    }
    translation = joined.currentText();
}

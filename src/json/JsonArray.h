// The item list of an array value: a contiguous block of handles that grows by doubling.
#pragma once

#include "JsonValue.h"

#include <string>

class JsonArray
{
public:
    static constexpr int InitialCapacity = 32;

    JsonArray(const JsonArray&) = delete;
    JsonArray& operator=(const JsonArray&) = delete;

    int arrayLength() const { return m_length; }
    int capacity() const { return m_capacity; }

    // The handle in the slot, or nothing outside 0 <= index < arrayLength().
    const JsonValue& itemAt(int index) const;
    // Stores value at index, growing the list as needed; slots passed over stay empty.
    void putAt(int index, JsonValue value);
    // Puts value after the last item and returns its index.
    int appendItem(JsonValue value);
    // The item's text (a string's characters, any other value's JSON text); empty for nothing.
    std::u16string itemAsString(int index) const;

private:
    friend struct JsonValue::Node;

    JsonArray();
    // Moves count handles from items into storage, room the value allocated right after itself.
    JsonArray(void* storage, JsonValue* items, int count);
    ~JsonArray();

    void release();

    JsonValue* m_items;
    int m_length = 0;
    int m_capacity = 0;
    bool m_ownBlock = true; // false while the slots live in the value's own allocation
};

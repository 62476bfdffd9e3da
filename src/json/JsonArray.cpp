// Item lists of array values.
#include "JsonArray.h"

#include "Exception.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>

namespace {

const JsonValue nothing;

} // namespace

JsonArray::JsonArray()
    : m_items(new JsonValue[InitialCapacity])
    , m_capacity(InitialCapacity)
{ }

// The parser knows an array's items once its closing bracket is read, so the list is made at
// its final size inside the value's own allocation.
JsonArray::JsonArray(void* storage, JsonValue* items, int count)
    : m_items(static_cast<JsonValue*>(storage))
    , m_length(count)
    , m_capacity(count)
    , m_ownBlock(false)
{
    for (int i = 0; i < count; ++i) {
        new (m_items + i) JsonValue(std::move(items[i]));
    }
}

JsonArray::~JsonArray()
{
    release();
}

void JsonArray::release()
{
    if (m_ownBlock) {
        delete[] m_items;
        return;
    }
    std::destroy_n(m_items, m_capacity);
}

const JsonValue& JsonArray::itemAt(int index) const
{
    if (index < 0 || index >= m_length) {
        return nothing;
    }
    return m_items[index];
}

void JsonArray::putAt(int index, JsonValue value)
{
    if (index < 0 || index == INT_MAX) {
        throw Exception("Index out of range");
    }
    if (index >= m_capacity) {
        const std::int64_t doubled = 2 * std::int64_t(m_capacity);
        const int capacity = int(
            std::min<std::int64_t>(doubled > index ? doubled : std::int64_t(index) + 1, INT_MAX));
        auto* items = new JsonValue[capacity];
        std::move(m_items, m_items + m_length, items);
        release();
        m_items = items;
        m_ownBlock = true;
        m_capacity = capacity;
    }
    m_items[index] = std::move(value);
    m_length = std::max(m_length, index + 1);
}

int JsonArray::appendItem(JsonValue value)
{
    const int index = m_length;
    putAt(index, std::move(value));
    return index;
}

std::u16string JsonArray::itemAsString(int index) const
{
    return itemAt(index).toText();
}

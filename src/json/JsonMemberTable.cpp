// Member tables of object values: an AVL tree in hash order.
#include "JsonMemberTable.h"

#include "SmallBlocks.h"

#include <new>

struct JsonMemberTable::Entry
{
    Entry* before = nullptr; // entries earlier in table order
    Entry* after = nullptr;
    int balance = 0; // height of after minus height of before: -1, 0 or +1
    std::uint32_t hash;
    std::uint32_t nameLength;
    JsonValue value;

    // The name's code units follow the entry in the same allocation.
    const char16_t* nameChars() const { return reinterpret_cast<const char16_t*>(this + 1); }
    std::u16string_view name() const { return {nameChars(), nameLength}; }
};

namespace {

std::u16string_view untilNul(std::u16string_view name)
{
    const auto nul = name.find(u'\0');
    return nul == std::u16string_view::npos ? name : name.substr(0, nul);
}

// Negative when (hash, name) comes before the entry in table order.
int compare(std::uint32_t hash, std::u16string_view name, std::uint32_t entryHash,
    std::u16string_view entryName)
{
    if (hash != entryHash) {
        return hash > entryHash ? -1 : 1;
    }
    return name.compare(entryName);
}

} // namespace

std::uint32_t JsonMemberTable::nameHash(std::u16string_view name)
{
    // h := h * 129 + c + K for each code unit, taken four at a time: the powers of 129 spread
    // the four steps over independent multiplications, which keeps long names from waiting on
    // one chain of them.
    constexpr std::uint32_t k = 0x9E370001u;
    constexpr std::uint32_t p1 = 129, p2 = p1 * p1, p3 = p2 * p1, p4 = p3 * p1;
    const char16_t* c = name.data();
    const char16_t* const end = c + name.size();
    std::uint32_t h = 0;
    for (; end - c >= 4; c += 4) {
        h = h * p4 + (c[0] + k) * p3 + (c[1] + k) * p2 + (c[2] + k) * p1 + (c[3] + k);
    }
    for (; c < end; ++c) {
        h = h * p1 + *c + k;
    }
    return h;
}

JsonMemberTable::~JsonMemberTable()
{
    destroy(m_root);
}

JsonMemberTable::Entry* JsonMemberTable::makeEntry(
    std::u16string_view name, std::uint32_t hash, JsonValue&& value)
{
    void* memory = SmallBlocks::allocate(sizeof(Entry) + name.size() * sizeof(char16_t));
    Entry* entry = new (memory)
        Entry {nullptr, nullptr, 0, hash, std::uint32_t(name.size()), std::move(value)};
    std::char_traits<char16_t>::copy(
        reinterpret_cast<char16_t*>(entry + 1), name.data(), name.size());
    return entry;
}

void JsonMemberTable::destroy(Entry* entry)
{
    // Recursion is bounded by the tree's height.
    if (!entry) {
        return;
    }
    destroy(entry->before);
    destroy(entry->after);
    const std::size_t size = sizeof(Entry) + entry->nameLength * sizeof(char16_t);
    entry->~Entry();
    SmallBlocks::release(entry, SmallBlocks::isSmall(size));
}

void JsonMemberTable::putMember(std::u16string_view name, JsonValue value)
{
    name = untilNul(name);
    insert(&m_root, name, nameHash(name), value);
}

namespace {

template <class Entry> Entry* rotate(Entry* top, bool toAfterSide)
{
    // Rotates the child on the other side up; the caller fixes the balance factors.
    if (toAfterSide) {
        Entry* child = top->before;
        top->before = child->after;
        child->after = top;
        return child;
    }
    Entry* child = top->after;
    top->after = child->before;
    child->before = top;
    return child;
}

} // namespace

bool JsonMemberTable::insert(
    Entry** link, std::u16string_view name, std::uint32_t hash, JsonValue& value)
{
    Entry* entry = *link;
    if (!entry) {
        *link = makeEntry(name, hash, std::move(value));
        ++m_count;
        return true;
    }
    const int order = compare(hash, name, entry->hash, entry->name());
    if (order == 0) {
        entry->value = std::move(value);
        return false;
    }
    const bool goAfter = order > 0;
    if (!insert(goAfter ? &entry->after : &entry->before, name, hash, value)) {
        return false;
    }
    const int side = goAfter ? 1 : -1;
    entry->balance += side;
    if (entry->balance == 0) {
        return false;
    }
    if (entry->balance == side) {
        return true;
    }
    // The subtree on one side is now two levels higher: rebalance it.
    Entry* child = goAfter ? entry->after : entry->before;
    if (child->balance == side) {
        *link = rotate(entry, !goAfter);
        entry->balance = 0;
        child->balance = 0;
        return false;
    }
    Entry* grandchild = goAfter ? child->before : child->after;
    if (goAfter) {
        entry->after = rotate(child, true);
    } else {
        entry->before = rotate(child, false);
    }
    *link = rotate(entry, !goAfter);
    entry->balance = grandchild->balance == side ? -side : 0;
    child->balance = grandchild->balance == -side ? side : 0;
    grandchild->balance = 0;
    return false;
}

const JsonValue& JsonMemberTable::findMember(std::u16string_view name) const
{
    static const JsonValue nothing;
    name = untilNul(name);
    const std::uint32_t hash = nameHash(name);
    const Entry* entry = m_root;
    while (entry) {
        const int order = compare(hash, name, entry->hash, entry->name());
        if (order == 0) {
            return entry->value;
        }
        entry = order < 0 ? entry->before : entry->after;
    }
    return nothing;
}

JsonMemberTable::Cursor::Cursor(const Entry* root)
{
    descendBefore(root);
}

void JsonMemberTable::Cursor::descendBefore(const Entry* entry)
{
    for (; entry; entry = entry->before) {
        m_path[m_depth++] = entry;
    }
}

JsonMemberTable::Cursor::Member JsonMemberTable::Cursor::operator*() const
{
    const Entry* entry = current();
    return {entry->name(), entry->value};
}

JsonMemberTable::Cursor& JsonMemberTable::Cursor::operator++()
{
    // The path holds only entries not yet visited; the next one after an entry is the first
    // of its after side, or else the nearest pending ancestor.
    const Entry* entry = m_path[--m_depth];
    if (entry->after) {
        descendBefore(entry->after);
    }
    return *this;
}

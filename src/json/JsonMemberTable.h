// The members of an object value, kept in a height-balanced binary search tree. Members are
// ordered by the hash of their name, larger hashes first, and among equal hashes by the name's
// code units; lookup, iteration and writing all follow that order. Names end at their first
// U+0000.
#pragma once

#include "JsonValue.h"

#include <cstdint>
#include <string_view>

class JsonMemberTable
{
    struct Entry;

public:
    // Walks the members in table order, keeping the path from the root.
    class Cursor
    {
    public:
        struct Member
        {
            std::u16string_view name;
            const JsonValue& value;
        };

        bool operator==(const Cursor& other) const { return current() == other.current(); }
        Member operator*() const;
        Cursor& operator++();

    private:
        friend class JsonMemberTable;
        // An AVL tree of 2^31 entries is at most 45 levels high.
        static constexpr int MaxHeight = 48;

        explicit Cursor(const Entry* root);
        const Entry* current() const { return m_depth > 0 ? m_path[m_depth - 1] : nullptr; }
        void descendBefore(const Entry* entry);

        const Entry* m_path[MaxHeight];
        int m_depth = 0;
    };

    static std::uint32_t nameHash(std::u16string_view name);

    JsonMemberTable(const JsonMemberTable&) = delete;
    JsonMemberTable& operator=(const JsonMemberTable&) = delete;

    int memberCount() const { return m_count; }
    // Inserts a member; a name already present keeps its place and takes the new value.
    void putMember(std::u16string_view name, JsonValue value);
    // The value stored under the name, or nothing.
    const JsonValue& findMember(std::u16string_view name) const;

    Cursor begin() const { return Cursor(m_root); }
    Cursor end() const { return Cursor(nullptr); }

private:
    friend struct JsonValue::Node;
    friend class JsonTokenizer; // hands in names it has already cut at their first U+0000

    void putCutMember(std::u16string_view name, JsonValue value)
    {
        insert(&m_root, name, nameHash(name), value);
    }

    JsonMemberTable() = default;
    ~JsonMemberTable();

    static Entry* makeEntry(std::u16string_view name, std::uint32_t hash, JsonValue&& value);
    static void destroy(Entry* entry);
    // Inserts below *link; returns true when the subtree grew higher.
    bool insert(Entry** link, std::u16string_view name, std::uint32_t hash, JsonValue& value);

    Entry* m_root = nullptr;
    int m_count = 0;
};

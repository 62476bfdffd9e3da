// Member tables and reference counting: table order, replacement, lookup, and handles shared
// between threads.
#include "JsonMemberTable.h"

#include "JsonArray.h"
#include "ParseJson.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace {

TEST(JsonMemberTable, NameHash)
{
    EXPECT_EQ(JsonMemberTable::nameHash(u""), 0u);
    EXPECT_EQ(JsonMemberTable::nameHash(u"a"), 0x9E370062u);
    EXPECT_EQ(JsonMemberTable::nameHash(u"ab"), 0x57EE31C5u);
    EXPECT_EQ(JsonMemberTable::nameHash(u"translation"), 0x56D5A1BAu);
}

// Many members in random order: iteration follows the hash (larger first) and then the name,
// every member is found, and a repeated name replaces the value in place.
TEST(JsonMemberTable, KeepsTableOrderAndFindsEveryMember)
{
    std::mt19937 random(7);
    std::vector<std::u16string> names;
    for (int i = 0; i < 3000; ++i) {
        std::u16string name;
        for (int length = int(random() % 4); length >= 0; --length) {
            name += char16_t(u'a' + random() % 3);
        }
        names.push_back(name);
    }
    JsonValue object = JsonValue::ofKind(ValueKind::Object);
    JsonMemberTable& table = *object.asMemberTable();
    std::map<std::u16string, int> expected;
    for (int i = 0; i < int(names.size()); ++i) {
        table.putMember(names[i], JsonValue::fromInteger(i));
        expected[names[i]] = i;
    }
    // Equal hashes occur for short names, so the name order among them is exercised too.
    table.putMember(u"\u0001\u0000", JsonValue::fromInteger(-1));
    table.putMember(u"\u0000", JsonValue::fromInteger(-2));
    expected[u"\u0001"] = -1;
    expected[u""] = -2;

    ASSERT_EQ(table.memberCount(), int(expected.size()));
    int visited = 0;
    std::u16string previous;
    for (auto cursor = table.begin(); cursor != table.end(); ++cursor, ++visited) {
        const auto member = *cursor;
        const std::u16string name(member.name);
        EXPECT_EQ(member.value.toInteger(), expected[name]);
        if (visited > 0) {
            const auto previousHash = JsonMemberTable::nameHash(previous);
            const auto hash = JsonMemberTable::nameHash(name);
            EXPECT_TRUE(previousHash > hash || (previousHash == hash && previous < name));
        }
        previous = name;
    }
    EXPECT_EQ(visited, int(expected.size()));
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(table.findMember(name).toInteger(), value);
    }
    EXPECT_TRUE(table.findMember(u"zzz").isNothing());
    EXPECT_EQ(table.findMember(std::u16string_view(u"\u0001\u0000x", 3)).toInteger(), -1);
}

TEST(JsonMemberTable, ReplacingAValueKeepsItsPlace)
{
    JsonValue object = JsonValue::ofKind(ValueKind::Object);
    JsonMemberTable& table = *object.asMemberTable();
    for (const char16_t* name : {u"a", u"b", u"c"}) {
        table.putMember(name, JsonValue::fromText(name));
    }
    table.putMember(u"b", JsonValue::fromInteger(2));
    EXPECT_EQ(table.memberCount(), 3);
    EXPECT_EQ(object.toText(), u"{\"c\":\"c\",\"b\":2,\"a\":\"a\"}");
}

// The destruction of a method value's callable shows when the value goes.
struct Watched
{
    JsonValue value;
    std::weak_ptr<int> alive;
};

Watched watchedValue()
{
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> alive = token;
    return {JsonValue::fromMethod([token](const JsonValue&) { return JsonValue(); }), alive};
}

TEST(JsonValue, LivesAsLongAsAHandleOrAContainerHoldsIt)
{
    Watched watched = watchedValue();
    JsonValue array = JsonValue::ofKind(ValueKind::Array);
    array.toArray()->appendItem(watched.value);
    watched.value = JsonValue();
    EXPECT_FALSE(watched.alive.expired());
    JsonValue copy = array;
    array = JsonValue();
    EXPECT_FALSE(watched.alive.expired());
    copy.toArray()->putAt(0, JsonValue::fromInteger(1));
    EXPECT_TRUE(watched.alive.expired());
}

TEST(JsonValue, CountsAreSafeAcrossThreads)
{
    Watched watched = watchedValue();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([value = watched.value] {
            for (int i = 0; i < 100000; ++i) {
                JsonValue copy = value;
                JsonValue moved = std::move(copy);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_FALSE(watched.alive.expired());
    watched.value = JsonValue();
    EXPECT_TRUE(watched.alive.expired());
}

TEST(JsonValue, ValuesOutliveTheirTreeAndTheThreadThatMadeThem)
{
    // Many slabs' worth of values, parsed on one thread and dropped on another, with a few kept
    // past the rest of their tree.
    std::u16string text = u"[";
    for (int i = 0; i < 20000; ++i) {
        text += u"{\"name\":\"value " + std::u16string(1, char16_t(u'a' + i % 26))
            + u"\",\"n\":1.5e7},";
    }
    text += u"{}]";
    JsonValue tree;
    std::thread([&] { tree = parseJson(text); }).join();
    ASSERT_EQ(tree.toArray()->arrayLength(), 20001);
    const JsonValue first = tree.toArray()->itemAt(0);
    const JsonValue name = tree.toArray()->itemAt(19999).asMemberTable()->findMember(u"name");
    std::thread([dropped = std::move(tree)]() mutable { dropped = JsonValue(); }).join();
    EXPECT_EQ(first.asMemberTable()->findMember(u"name").toText(), u"value a");
    EXPECT_EQ(first.asMemberTable()->findMember(u"n").toDouble(), 1.5e7);
    EXPECT_EQ(name.toText(), u"value f");
}

} // namespace

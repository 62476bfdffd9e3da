// JSON values and the handle that holds them. A value is shared by reference counting: every
// JsonValue handle holds one count, and the value goes away with its last handle; doubles and
// most integers, which never change, are held in the handle itself. An empty handle ("nothing")
// stands for a missing item, a failed parse or a conversion to the wrong kind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

class JsonArray;
class JsonMemberTable;
class JsonWriter;
class JsonValue;

enum class ValueKind : std::uint8_t
{
    Null,
    Boolean,
    Double,
    Currency, // a signed count of ten-thousandths
    Integer,
    Object,
    Array,
    String,
    Method,
};

// The callable held by a value of kind Method. Parsing never produces one, and writers skip it.
using JsonMethod = std::function<JsonValue(const JsonValue& arguments)>;

class JsonValue
{
public:
    JsonValue() noexcept = default;
    JsonValue(const JsonValue& other) noexcept
        : m_bits(other.m_bits)
    {
        if (Node* node = nodeOf(m_bits)) {
            addReference(node);
        }
    }
    JsonValue(JsonValue&& other) noexcept
        : m_bits(std::exchange(other.m_bits, 0))
    { }
    JsonValue& operator=(const JsonValue& other) noexcept;
    JsonValue& operator=(JsonValue&& other) noexcept
    {
        if (this != &other) {
            if (Node* old = nodeOf(std::exchange(m_bits, std::exchange(other.m_bits, 0)))) {
                dropReference(old);
            }
        }
        return *this;
    }
    ~JsonValue()
    {
        if (Node* node = nodeOf(m_bits)) {
            dropReference(node);
        }
    }

    // A new value of the kind: containers start empty, a string as the empty text, the others
    // as zero or false.
    static JsonValue ofKind(ValueKind kind);
    static JsonValue fromBoolean(bool value);
    static JsonValue fromInteger(std::int64_t value);
    static JsonValue fromDouble(double value);
    static JsonValue fromCurrency(std::int64_t count);
    static JsonValue fromText(std::u16string_view text);
    static JsonValue fromMethod(JsonMethod method);

    bool isNothing() const { return m_bits == 0; }
    explicit operator bool() const { return m_bits != 0; }

    // On nothing, the kind is Null and the conversions give zero, false or the empty text.
    ValueKind kindOf() const;
    bool toBoolean() const;
    std::int64_t toInteger() const;
    double toDouble() const;
    std::int64_t toCurrency() const;
    // A string's own text; the compact JSON text of every other kind (a method gives nothing).
    std::u16string toText() const;
    // What toText gives, written into writer; returns the count of the last write, negative on
    // failure. Lets a caller reuse one buffer for many texts.
    int writeText(JsonWriter& writer) const;
    // A string's own text without a copy; empty for every other kind.
    std::u16string_view textView() const;

    // The value's own container when it has the kind, else null. No new reference: the container
    // lives as long as a handle to its value.
    JsonArray* toArray() const;
    JsonMemberTable* asMemberTable() const;

    // The JSON text of the value; empty when the writer failed.
    std::u16string toJsonText(bool indent = false, bool escape = false) const;
    // Writes the JSON text into any writer; level is the nesting depth of the indented form.
    // Returns the count of the last write, negative on failure.
    int writeTo(JsonWriter& writer, bool indent, bool escape, int level) const;

    struct Node;

private:
    friend class JsonTokenizer; // builds arrays from items it has already collected
    template <class Writer> class TextWriter;

    // A handle holds nothing (0); the address of a node; a double, its bits moved up by
    // DoubleOffset, above any address a node can have; or an integer within HeldIntegerLimit
    // either side of zero, made odd, which no node's address is. Such numbers take no node, so a
    // tree of many of them is made and freed with far fewer blocks.
    static constexpr std::uint64_t DoubleOffset = std::uint64_t(1) << 49;
    static constexpr std::int64_t HeldIntegerLimit = std::int64_t(1) << 47;

    static Node* nodeOf(std::uint64_t bits) noexcept
    {
        return bits < DoubleOffset && (bits & 1) == 0
            ? reinterpret_cast<Node*>(static_cast<std::uintptr_t>(bits))
            : nullptr;
    }
    Node* node() const noexcept { return nodeOf(m_bits); }
    bool holdsDouble() const noexcept { return m_bits >= DoubleOffset; }
    bool holdsInteger() const noexcept { return m_bits < DoubleOffset && (m_bits & 1) != 0; }
    double heldDouble() const noexcept;
    // The value of an integer, held or in a node.
    std::int64_t integerValue() const noexcept;

    static void addReference(Node* node) noexcept;
    static void dropReference(Node* node) noexcept;

    explicit JsonValue(Node* adopted) noexcept
        : m_bits(reinterpret_cast<std::uintptr_t>(adopted))
    { }
    // An array value that takes over count handles from items.
    static JsonValue arrayOf(JsonValue* items, int count);

    std::uint64_t m_bits = 0;
};

// JSON values: storage, reference counting, conversions and the text writer.
#include "JsonValue.h"

#include "CharScan.h"
#include "Escapes.h"
#include "JsonArray.h"
#include "JsonMemberTable.h"
#include "JsonStringWriter.h"
#include "NumberText.h"
#include "SmallBlocks.h"

#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <new>

struct JsonValue::Node
{
    std::atomic<std::int32_t> refs {1};
    bool writing = false; // set while this container's text is being written
    ValueKind kind = ValueKind::Null;
    bool preset = false; // one of the shared constants below: never counted, never freed
    bool small = false; // made by SmallBlocks
    union {
        bool boolean;
        std::int64_t integer; // also the count of a currency
        std::size_t textLength; // a string's code units follow the node
        JsonMethod* method;
        JsonArray array;
        JsonMemberTable members;
    };

    constexpr Node()
        : integer(0)
    { }
    ~Node() { }

    const char16_t* chars() const { return reinterpret_cast<const char16_t*>(this + 1); }

    static Node* allocate(std::size_t size)
    {
        void* memory = SmallBlocks::allocate(size);
        const bool small = SmallBlocks::isSmall(size);
        // A handle tells a node from a double by its address; no system here maps memory that
        // high, but a block that lay there could not be told apart. Blocks are 16-byte aligned,
        // so a node's address is never odd like a held integer.
        if (reinterpret_cast<std::uintptr_t>(memory) + size > DoubleOffset) {
            SmallBlocks::release(memory, small);
            throw std::bad_alloc();
        }
        Node* node = new (memory) Node;
        node->small = small;
        return node;
    }

    static Node* make(ValueKind kind, std::size_t textLength = 0)
    {
        Node* node = allocate(sizeof(Node) + textLength * sizeof(char16_t));
        node->kind = kind;
        switch (kind) {
        case ValueKind::Array:
            new (&node->array) JsonArray;
            break;
        case ValueKind::Object:
            new (&node->members) JsonMemberTable;
            break;
        case ValueKind::String:
            node->textLength = textLength;
            break;
        default:
            break;
        }
        return node;
    }

    static Node* makeArray(JsonValue* items, int count)
    {
        Node* node = allocate(sizeof(Node) + std::size_t(count) * sizeof(JsonValue));
        node->kind = ValueKind::Array;
        new (&node->array) JsonArray(node + 1, items, count);
        return node;
    }

    void destroy()
    {
        switch (kind) {
        case ValueKind::Array:
            array.~JsonArray();
            break;
        case ValueKind::Object:
            members.~JsonMemberTable();
            break;
        case ValueKind::Method:
            delete method;
            break;
        default:
            break;
        }
        const bool fromSlab = small;
        this->~Node();
        SmallBlocks::release(this, fromSlab);
    }
};

namespace {

constexpr std::uint64_t QuietNan = 0x7FF8000000000000;

// Values that never change are shared: null and the two booleans. Scalars never set their
// writing flag, so sharing them across threads is safe.
struct Presets
{
    JsonValue::Node null;
    JsonValue::Node no;
    JsonValue::Node yes;

    constexpr Presets()
    {
        null.preset = true;
        no.preset = yes.preset = true;
        no.kind = yes.kind = ValueKind::Boolean;
        no.boolean = false;
        yes.boolean = true;
    }
};

constinit Presets presets;

} // namespace

void JsonValue::addReference(Node* node) noexcept
{
    if (node && !node->preset) {
        node->refs.fetch_add(1, std::memory_order_relaxed);
    }
}

void JsonValue::dropReference(Node* node) noexcept
{
    if (!node || node->preset) {
        return;
    }
    // The holder of the only count cannot race with anyone, so it skips the atomic decrement.
    if (node->refs.load(std::memory_order_acquire) == 1
        || node->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        node->destroy();
    }
}

JsonValue& JsonValue::operator=(const JsonValue& other) noexcept
{
    addReference(other.node());
    dropReference(nodeOf(std::exchange(m_bits, other.m_bits)));
    return *this;
}

double JsonValue::heldDouble() const noexcept
{
    return std::bit_cast<double>(m_bits - DoubleOffset);
}

std::int64_t JsonValue::integerValue() const noexcept
{
    return holdsInteger() ? std::int64_t(m_bits >> 1) - HeldIntegerLimit : node()->integer;
}

JsonValue JsonValue::ofKind(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Null:
        return JsonValue(&presets.null);
    case ValueKind::Boolean:
        return fromBoolean(false);
    case ValueKind::Integer:
        return fromInteger(0);
    case ValueKind::Double:
        return fromDouble(0);
    case ValueKind::Currency:
        return fromCurrency(0);
    case ValueKind::Method:
        return fromMethod(JsonMethod());
    default:
        return JsonValue(Node::make(kind));
    }
}

JsonValue JsonValue::fromBoolean(bool value)
{
    return JsonValue(value ? &presets.yes : &presets.no);
}

JsonValue JsonValue::fromInteger(std::int64_t value)
{
    if (value >= -HeldIntegerLimit && value < HeldIntegerLimit) {
        JsonValue held;
        held.m_bits = (std::uint64_t(value + HeldIntegerLimit) << 1) | 1;
        return held;
    }
    Node* node = Node::make(ValueKind::Integer);
    node->integer = value;
    return JsonValue(node);
}

JsonValue JsonValue::fromDouble(double value)
{
    // Every NaN becomes the one quiet NaN, whose bits stay clear of the top when moved up.
    JsonValue held;
    held.m_bits
        = (std::isnan(value) ? QuietNan : std::bit_cast<std::uint64_t>(value)) + DoubleOffset;
    return held;
}

JsonValue JsonValue::fromCurrency(std::int64_t count)
{
    Node* node = Node::make(ValueKind::Currency);
    node->integer = count;
    return JsonValue(node);
}

JsonValue JsonValue::fromText(std::u16string_view text)
{
    Node* node = Node::make(ValueKind::String, text.size());
    std::char_traits<char16_t>::copy(
        const_cast<char16_t*>(node->chars()), text.data(), text.size());
    return JsonValue(node);
}

JsonValue JsonValue::fromMethod(JsonMethod method)
{
    Node* node = Node::make(ValueKind::Method);
    node->method = new JsonMethod(std::move(method));
    return JsonValue(node);
}

JsonValue JsonValue::arrayOf(JsonValue* items, int count)
{
    return JsonValue(Node::makeArray(items, count));
}

ValueKind JsonValue::kindOf() const
{
    if (holdsDouble()) {
        return ValueKind::Double;
    }
    if (holdsInteger()) {
        return ValueKind::Integer;
    }
    return m_bits != 0 ? node()->kind : ValueKind::Null;
}

bool JsonValue::toBoolean() const
{
    switch (kindOf()) {
    case ValueKind::Null:
        return false;
    case ValueKind::Boolean:
        return node()->boolean;
    case ValueKind::Double:
        return heldDouble() != 0;
    case ValueKind::Currency:
        return node()->integer != 0;
    case ValueKind::Integer:
        return integerValue() != 0;
    case ValueKind::String:
        return node()->textLength != 0;
    default:
        return true;
    }
}

std::int64_t JsonValue::toInteger() const
{
    switch (kindOf()) {
    case ValueKind::Boolean:
        return node()->boolean ? 1 : 0;
    case ValueKind::Double:
        return NumberText::roundToInteger(heldDouble());
    case ValueKind::Currency:
        return NumberText::currencyToInteger(node()->integer);
    case ValueKind::Integer:
        return integerValue();
    case ValueKind::String: {
        std::int64_t value = 0;
        return NumberText::textToInteger(textView(), value) ? value : 0;
    }
    default:
        return 0;
    }
}

double JsonValue::toDouble() const
{
    switch (kindOf()) {
    case ValueKind::Boolean:
        return node()->boolean ? 1 : 0;
    case ValueKind::Double:
        return heldDouble();
    case ValueKind::Currency:
        return double(node()->integer) / 10000;
    case ValueKind::Integer:
        return double(integerValue());
    case ValueKind::String: {
        double value = 0;
        return NumberText::textToDouble(textView(), value) ? value : 0;
    }
    default:
        return 0;
    }
}

std::int64_t JsonValue::toCurrency() const
{
    switch (kindOf()) {
    case ValueKind::Boolean:
        return node()->boolean ? 10000 : 0;
    case ValueKind::Double:
        return NumberText::roundToInteger(heldDouble() * 10000);
    case ValueKind::Currency:
        return node()->integer;
    case ValueKind::Integer:
        return NumberText::integerToCurrency(integerValue());
    case ValueKind::String: {
        double value = 0;
        return NumberText::textToDouble(textView(), value)
            ? NumberText::roundToInteger(value * 10000)
            : 0;
    }
    default:
        return 0;
    }
}

std::u16string_view JsonValue::textView() const
{
    if (kindOf() != ValueKind::String) {
        return {};
    }
    return {node()->chars(), node()->textLength};
}

std::u16string JsonValue::toText() const
{
    switch (kindOf()) {
    case ValueKind::String:
        return std::u16string(textView());
    case ValueKind::Method:
        return {};
    default:
        return m_bits != 0 ? toJsonText(false, false) : std::u16string();
    }
}

int JsonValue::writeText(JsonWriter& writer) const
{
    if (kindOf() == ValueKind::String) {
        return writer.writeChars(node()->chars(), int(node()->textLength));
    }
    return writeTo(writer, false, false, 0);
}

JsonArray* JsonValue::toArray() const
{
    return kindOf() == ValueKind::Array ? &node()->array : nullptr;
}

JsonMemberTable* JsonValue::asMemberTable() const
{
    return kindOf() == ValueKind::Object ? &node()->members : nullptr;
}

// Writes one value's JSON text. Writer is the concrete writer type where it is known, so that the
// string writer's calls are direct.
template <class Writer> class JsonValue::TextWriter
{
public:
    TextWriter(Writer& writer, bool indent, bool escape)
        : m_writer(writer)
        , m_indent(indent)
        , m_escape(escape)
    { }

    // item is not nothing.
    int value(const JsonValue& item, int level)
    {
        char digits[NumberText::MaxLength];
        if (item.holdsDouble()) {
            return ascii(digits, NumberText::writeDouble(item.heldDouble(), digits));
        }
        if (item.kindOf() == ValueKind::Integer) {
            return ascii(digits,
                int(std::to_chars(digits, digits + sizeof digits, item.integerValue()).ptr
                    - digits));
        }
        Node* node = item.node();
        switch (node->kind) {
        case ValueKind::Null:
            return put(u"null");
        case ValueKind::Boolean:
            return node->boolean ? put(u"true") : put(u"false");
        case ValueKind::Currency:
            return ascii(digits, NumberText::writeCurrency(node->integer, digits));
        case ValueKind::String:
            return text({node->chars(), node->textLength});
        case ValueKind::Method:
            return 0;
        case ValueKind::Double: // written above, with integers
        case ValueKind::Integer:
        case ValueKind::Array:
        case ValueKind::Object:
            break;
        }
        // A container that holds itself writes null at the inner place.
        if (node->writing) {
            return put(u"null");
        }
        struct WritingFlag
        {
            Node* node;
            ~WritingFlag() { node->writing = false; }
        } flag {node};
        node->writing = true;
        return node->kind == ValueKind::Array ? array(node->array, level)
                                              : object(node->members, level);
    }

private:
    static bool skipped(const JsonValue& item)
    {
        const Node* node = item.node();
        return node && (node->kind == ValueKind::Method || node->writing);
    }

    int array(const JsonArray& items, int level)
    {
        if (items.arrayLength() < 1) {
            return put(u"[]");
        }
        int result = put(u"[");
        bool first = true;
        for (int i = 0; i < items.arrayLength() && result >= 0; ++i) {
            const JsonValue& item = items.itemAt(i);
            if (skipped(item)) {
                continue;
            }
            result = separate(first, level + 1);
            if (result >= 0) {
                result = item ? value(item, level + 1) : put(u"null");
            }
        }
        return result < 0 ? result : close(first, level, u']');
    }

    int object(const JsonMemberTable& members, int level)
    {
        if (members.memberCount() < 1) {
            return put(u"{}");
        }
        int result = put(u"{");
        bool first = true;
        for (auto cursor = members.begin(); cursor != members.end() && result >= 0; ++cursor) {
            const auto member = *cursor;
            const JsonValue& item = member.value;
            if (skipped(item)) {
                continue;
            }
            result = separate(first, level + 1);
            if (result >= 0) {
                result = text(member.name);
            }
            if (result >= 0) {
                result = m_indent ? put(u": ") : put(u":");
            }
            if (result >= 0) {
                result = item ? value(item, level + 1) : put(u"null");
            }
        }
        return result < 0 ? result : close(first, level, u'}');
    }

    // Before an item: the comma after the previous one, and its line in the indented form.
    int separate(bool& first, int level)
    {
        int result = first ? 0 : put(u",");
        first = false;
        return result >= 0 && m_indent ? newLine(level) : result;
    }

    int close(bool noItem, int level, char16_t bracket)
    {
        const int result = m_indent && !noItem ? newLine(level) : 0;
        return result < 0 ? result : m_writer.writeChars(&bracket, 1);
    }

    int newLine(int level)
    {
        int result = put(u"\r\n");
        for (int i = 0; i < level && result >= 0; ++i) {
            result = put(u" ");
        }
        return result;
    }

    bool needsEscape(char16_t c) const
    {
        return c < 0x20 || c >= 0x80 || c == u'"' || c == u'\\' || c == u'/';
    }

    // The next character to escape: quotation mark, backslash, "/" and U+0000 in the plain
    // mode, also control characters and everything from U+0080 up in the escaped one.
    const char16_t* nextEscape(const char16_t* p, const char16_t* end) const
    {
        if (!m_escape) {
            return CharScan::findAny(p, end, u'"', u'\\', u'/', u'\0');
        }
        while (p < end && !needsEscape(*p)) {
            ++p;
        }
        return p;
    }

    int text(std::u16string_view chars)
    {
        int result = put(u"\"");
        const char16_t* p = chars.data();
        const char16_t* end = chars.data() + chars.size();
        while (result >= 0) {
            const char16_t* run = p;
            p = nextEscape(p, end);
            if (p > run) {
                result = m_writer.writeChars(run, int(p - run));
            }
            if (p == end || result < 0) {
                break;
            }
            result = escaped(*p++);
        }
        return result < 0 ? result : put(u"\"");
    }

    int escaped(char16_t c)
    {
        static constexpr char hex[] = "0123456789abcdef";
        char16_t sequence[6] = {u'\\', c};
        if (c == u'"' || c == u'\\' || c == u'/') {
            return m_writer.writeChars(sequence, 2);
        }
        for (const Escapes::Short& escape : Escapes::shortEscapes) {
            if (c == escape.character) {
                sequence[1] = escape.letter;
                return m_writer.writeChars(sequence, 2);
            }
        }
        sequence[1] = u'u';
        for (int i = 0; i < 4; ++i) {
            sequence[2 + i] = char16_t(hex[(c >> (12 - 4 * i)) & 0xF]);
        }
        return m_writer.writeChars(sequence, 6);
    }

    template <std::size_t N> int put(const char16_t (&chars)[N])
    {
        return m_writer.writeChars(chars, int(N - 1));
    }

    int ascii(const char* chars, int count)
    {
        char16_t wide[NumberText::MaxLength];
        for (int i = 0; i < count; ++i) {
            wide[i] = char16_t(chars[i]);
        }
        return m_writer.writeChars(wide, count);
    }

    Writer& m_writer;
    const bool m_indent;
    const bool m_escape;
};

std::u16string JsonValue::toJsonText(bool indent, bool escape) const
{
    if (m_bits == 0) {
        return {};
    }
    // Texts are written into a buffer this thread keeps, then copied out at their exact size:
    // one allocation per text instead of one per doubling. A text written while another is
    // being written gets a buffer of its own.
    static thread_local JsonStringWriter spare;
    static thread_local bool spareInUse = false;
    constexpr int SpareCapacityKept = 1 << 16;
    JsonStringWriter own;
    const bool borrowed = !spareInUse;
    JsonStringWriter& writer = borrowed ? spare : own;
    spareInUse = true;
    writer.discard();
    std::u16string text;
    try {
        if (TextWriter<JsonStringWriter>(writer, indent, escape).value(*this, 0) >= 0) {
            text = writer.view();
        }
    } catch (...) {
        spareInUse = !borrowed;
        throw;
    }
    spareInUse = !borrowed;
    if (borrowed && writer.capacity() > SpareCapacityKept) {
        writer = JsonStringWriter();
    }
    return text;
}

int JsonValue::writeTo(JsonWriter& writer, bool indent, bool escape, int level) const
{
    if (m_bits == 0) {
        return 0;
    }
    if (auto* stringWriter = dynamic_cast<JsonStringWriter*>(&writer)) {
        return TextWriter<JsonStringWriter>(*stringWriter, indent, escape).value(*this, level);
    }
    return TextWriter<JsonWriter>(writer, indent, escape).value(*this, level);
}

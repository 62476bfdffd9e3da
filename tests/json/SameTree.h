// Compares two JSON trees the way a write and a parse must preserve them: same shape, same
// strings and member names, and numbers of the same value (a double may come back as an
// integer or a currency of that value).
#pragma once

#include "JsonArray.h"
#include "JsonMemberTable.h"
#include "JsonValue.h"

#include <iterator>

inline bool isNumber(ValueKind kind)
{
    return kind == ValueKind::Double || kind == ValueKind::Currency || kind == ValueKind::Integer;
}

inline bool sameTree(const JsonValue& a, const JsonValue& b)
{
    if (a.isNothing() || b.isNothing()) {
        return a.isNothing() && b.isNothing();
    }
    const ValueKind kind = a.kindOf();
    if (isNumber(kind) && isNumber(b.kindOf())) {
        if (kind == ValueKind::Integer && b.kindOf() == ValueKind::Integer) {
            return a.toInteger() == b.toInteger();
        }
        return a.toDouble() == b.toDouble();
    }
    if (kind != b.kindOf()) {
        return false;
    }
    switch (kind) {
    case ValueKind::Boolean:
        return a.toBoolean() == b.toBoolean();
    case ValueKind::String:
        return a.textView() == b.textView();
    case ValueKind::Array: {
        const JsonArray* x = a.toArray();
        const JsonArray* y = b.toArray();
        if (x->arrayLength() != y->arrayLength()) {
            return false;
        }
        for (int i = 0; i < x->arrayLength(); ++i) {
            if (!sameTree(x->itemAt(i), y->itemAt(i))) {
                return false;
            }
        }
        return true;
    }
    case ValueKind::Object: {
        const JsonMemberTable* x = a.asMemberTable();
        const JsonMemberTable* y = b.asMemberTable();
        if (x->memberCount() != y->memberCount()) {
            return false;
        }
        for (auto i = x->begin(), j = y->begin(); i != x->end(); ++i, ++j) {
            if ((*i).name != (*j).name || !sameTree((*i).value, (*j).value)) {
                return false;
            }
        }
        return true;
    }
    default:
        return true;
    }
}

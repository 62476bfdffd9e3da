// The backslash escapes that stand for one control character each, shared by the writer and
// the parser.
#pragma once

namespace Escapes {

struct Short
{
    char16_t letter;
    char16_t character;
};

inline constexpr Short shortEscapes[] = {
    {u'b', u'\b'},
    {u'f', u'\f'},
    {u'n', u'\n'},
    {u'r', u'\r'},
    {u't', u'\t'},
};

} // namespace Escapes

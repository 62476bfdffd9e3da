// UTF-16 to and from the history's byte form.
#include "StoredText.h"

#include "Unicode.h"

namespace StoredText {

std::string toStored(std::u16string_view text)
{
    return Unicode::toUtf8(text, Unicode::Utf8Form::Exact);
}

std::string toUtf8(std::u16string_view text)
{
    return Unicode::toUtf8(text);
}

std::u16string fromStored(std::string_view bytes)
{
    return Unicode::fromUtf8(bytes, Unicode::Utf8Form::Exact);
}

} // namespace StoredText

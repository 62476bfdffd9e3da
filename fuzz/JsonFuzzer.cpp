// Fuzzes the JSON parser: any input must give a value or nothing, and a value written in either
// escape mode must parse back to an equal tree. The answer reader runs on the same input.
#include "InterpretResult.h"
#include "ParseJson.h"
#include "SameTree.h"
#include "Unicode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte picks the input form: UTF-8 to decode, or raw UTF-16 code units, which
    // reach lone surrogates and U+0000 directly.
    std::u16string text;
    if (data[0] & 1) {
        text = Unicode::fromUtf8(
            std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    } else {
        for (std::size_t i = 1; i + 1 < size; i += 2) {
            text += char16_t(data[i] | data[i + 1] << 8);
        }
    }
    const JsonValue value = parseJson(text);
    if (value) {
        for (const bool escape : {false, true}) {
            const JsonValue again = parseJson(value.toJsonText(false, escape));
            if (!sameTree(value, again)) {
                std::abort();
            }
        }
    }
    std::u16string translation;
    std::string message;
    interpretResult(text, false, translation, message);
    if (translation.empty() == message.empty() && !translation.empty()) {
        std::abort();
    }
    return 0;
}

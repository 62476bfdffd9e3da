// Filling the placeholders of the translation texts.
#include "TranslationTexts.h"

std::string TranslationTexts::fillIn(std::string_view text, const std::vector<std::string>& values)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

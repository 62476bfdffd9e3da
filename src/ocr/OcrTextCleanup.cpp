#include "OcrTextCleanup.h"

std::string cleanRecognisedText(std::string_view text)
{
    std::string cleaned(text);
    while (!cleaned.empty() && (cleaned.back() == '\n' || cleaned.back() == ' ')) {
        cleaned.pop_back();
    }
    return cleaned;
}

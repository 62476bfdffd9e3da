// Tesseract reads the danda of small Devanagari text as a vertical bar more often than not (Lohit
// Marathi at 10 to 32 pixels, Noto at 11 and 12), reads the edge of a box as a line holding a
// bar, and ends its lines with spaces. Spaces inside conjuncts, once common in Devanagari
// recognition, did not show up in its readings of drawn text (two fonts, 10 to 32 pixels, letter
// spacing up to 4 pixels), so nothing here guesses at them: a space after a virama can be right.
#include "OcrTextCleanup.h"

namespace {

const std::string_view Danda = "\u0964";
const std::string_view DoubleDanda = "\u0965";

// U+0900 to U+097F take three bytes in UTF-8: E0, then A4 or A5.
bool endsInDevanagari(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos || end < 2) {
        return false;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    return byte(end - 2) == 0xE0 && (byte(end - 1) == 0xA4 || byte(end - 1) == 0xA5);
}

// Strokes of no letter: what a frame, a rule or a speck leaves when it is read as a line.
bool isStray(std::string_view line)
{
    constexpr std::string_view Strokes = "|-_/\\.,:;'\"~=*";
    bool marked = false;
    while (!line.empty()) {
        if (line.starts_with(Danda) || line.starts_with(DoubleDanda)) {
            line.remove_prefix(Danda.size());
            marked = true;
        } else if (Strokes.find(line.front()) != std::string_view::npos) {
            line.remove_prefix(1);
            marked = true;
        } else if (line.front() == ' ') {
            line.remove_prefix(1);
        } else {
            return false;
        }
    }
    return marked;
}

std::string cleanLine(std::string_view line)
{
    std::string cleaned;
    for (const char c : line) {
        if (c == '|' && endsInDevanagari(cleaned)) {
            cleaned += Danda;
        } else {
            cleaned += c;
        }
    }
    cleaned.erase(cleaned.find_last_not_of(' ') + 1);
    return cleaned;
}

} // namespace

std::string cleanRecognisedText(std::string_view text)
{
    std::string cleaned;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (!isStray(line)) {
            cleaned += cleanLine(line);
            cleaned += '\n';
        }
        start = end + 1;
    }
    cleaned.erase(cleaned.find_last_not_of('\n') + 1);
    cleaned.erase(0, cleaned.find_first_not_of('\n'));
    return cleaned;
}

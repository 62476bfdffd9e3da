// Header line list: lookup, unfolding, folding.
#include "HeaderList.h"

#include "AsciiText.h"

namespace {

bool isContinuation(std::string_view line)
{
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool isFoldBreak(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

std::string_view trimmedSpaces(std::string_view text, bool left, bool right)
{
    while (left && !text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (right && !text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// A line break inside a name or value would start a header line of the caller's choosing.
std::string withoutLineBreaks(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return result;
}

} // namespace

HeaderList::HeaderList(int foldLength)
    : m_foldLength(foldLength)
{ }

void HeaderList::addLine(std::string line)
{
    m_lines.push_back(std::move(line));
}

void HeaderList::addLines(const HeaderList& other)
{
    m_lines.insert(m_lines.end(), other.m_lines.begin(), other.m_lines.end());
}

int HeaderList::findLine(std::string_view name, int from) const
{
    for (int i = from; i < count(); ++i) {
        const std::string_view line = m_lines[i];
        if (m_unfoldLines && isContinuation(line)) {
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos
            && equalsIgnoreCase(trimmed(line.substr(0, colon)), name)) {
            return i;
        }
    }
    return -1;
}

int HeaderList::continuationEnd(int index) const
{
    int end = index + 1;
    while (m_unfoldLines && end < count() && isContinuation(m_lines[end])) {
        ++end;
    }
    return end;
}

std::string HeaderList::readValue(int index) const
{
    const std::string_view line = m_lines[index];
    std::string result(trimmed(line.substr(line.find(':') + 1)));
    for (int i = index + 1; i < continuationEnd(index); ++i) {
        const std::string_view part = trimmed(m_lines[i]);
        if (!part.empty()) {
            result += ' ';
            result += part;
        }
    }
    return std::string(trimmed(result));
}

std::string HeaderList::value(std::string_view name) const
{
    const int index = findLine(name);
    return index < 0 ? std::string() : readValue(index);
}

bool HeaderList::contains(std::string_view name) const
{
    return findLine(name) >= 0;
}

std::vector<std::string> HeaderList::values(std::string_view name) const
{
    std::vector<std::string> result;
    for (int index = findLine(name); index >= 0; index = findLine(name, index + 1)) {
        result.push_back(readValue(index));
    }
    return result;
}

void HeaderList::setValue(std::string_view name, std::string_view value)
{
    const int index = findLine(name);
    if (index >= 0) {
        m_lines.erase(m_lines.begin() + index, m_lines.begin() + continuationEnd(index));
    }
    if (value.empty()) {
        return;
    }
    const std::vector<std::string> composed = composeLines(name, value);
    m_lines.insert(
        index >= 0 ? m_lines.begin() + index : m_lines.end(), composed.begin(), composed.end());
}

void HeaderList::addValue(std::string_view name, std::string_view value)
{
    if (name.empty() || value.empty()) {
        return;
    }
    std::vector<std::string> composed = composeLines(name, value);
    m_lines.insert(m_lines.end(), composed.begin(), composed.end());
}

std::vector<std::string> HeaderList::composeLines(
    std::string_view name, std::string_view value) const
{
    const std::string head = withoutLineBreaks(name) + ": ";
    const std::string text = head + withoutLineBreaks(value);
    const std::size_t limit = m_foldLength > 0 ? static_cast<std::size_t>(m_foldLength) : 0;
    std::vector<std::string> lines;
    // The line being built is text from start on, after one space on continuation lines.
    std::size_t start = 0;
    std::size_t indent = 0;
    // Never break inside the name: the first line breaks only after "name: ".
    std::size_t minBreak = head.size();
    while (m_foldLines && limit > 0 && indent + text.size() - start > limit) {
        // The last break that keeps the piece within the limit, else the first one after it.
        std::size_t at = std::string::npos;
        for (std::size_t i = minBreak; i < text.size(); ++i) {
            if (!isFoldBreak(text[i])) {
                continue;
            }
            const std::size_t pieceLength = indent + i - start + (text[i] == ',' ? 1 : 0);
            if (pieceLength <= limit || at == std::string::npos) {
                at = i;
            }
            if (pieceLength > limit) {
                break;
            }
        }
        if (at == std::string::npos) {
            break;
        }
        const std::string_view view = text;
        const std::size_t pieceEnd = text[at] == ',' ? at + 1 : at;
        lines.push_back(std::string(indent, ' ')
            + std::string(trimmedSpaces(view.substr(start, pieceEnd - start), false, true)));
        const std::string_view remainder = trimmedSpaces(view.substr(at + 1), true, false);
        if (remainder.empty()) {
            return lines;
        }
        start = text.size() - remainder.size();
        indent = 1;
        minBreak = start;
    }
    lines.push_back(std::string(indent, ' ') + text.substr(start));
    return lines;
}

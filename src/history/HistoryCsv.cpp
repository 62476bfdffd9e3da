// CSV lines of history entries.
#include "HistoryCsv.h"

#include "StoredText.h"

#include <ctime>
#include <string_view>

namespace {

void appendField(std::string& line, std::string_view field)
{
    const bool needsQuotes = field.find_first_of(",\"\r\n") != std::string_view::npos
        || (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!needsQuotes) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

void appendText(std::string& line, const std::u16string& text, HistoryCsv::Formulas formulas)
{
    std::string field = StoredText::toUtf8(text);
    if (formulas == HistoryCsv::Formulas::Defused && !field.empty()
        && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos) {
        field.insert(0, 1, '\'');
    }
    appendField(line, field);
}

std::string isoTime(std::int64_t milliseconds)
{
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm utc {};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace

namespace HistoryCsv {

std::string write(const std::vector<HistoryEntry>& entries, Formulas formulas)
{
    std::string out = "Time,From,To,Text,Translation,Uses\r\n";
    for (const HistoryEntry& entry : entries) {
        out += isoTime(entry.usedAt);
        out += ',';
        appendField(out, entry.sourceCode);
        out += ',';
        appendField(out, entry.targetCode);
        out += ',';
        appendText(out, entry.source, formulas);
        out += ',';
        appendText(out, entry.translation, formulas);
        out += ',';
        out += std::to_string(entry.useCount);
        out += "\r\n";
    }
    return out;
}

} // namespace HistoryCsv

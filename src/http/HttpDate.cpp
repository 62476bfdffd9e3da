// Writing and reading HTTP and cookie dates.
#include "HttpDate.h"

#include "AsciiText.h"

#include <array>
#include <cstdio>

using namespace std::chrono;

namespace {

constexpr std::array<const char*, 12> monthNames
    = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

// Characters that separate the tokens of a date.
bool isDateDelimiter(unsigned char c)
{
    return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40)
        || (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads minDigits to maxDigits digits at pos; the token may go on with anything but a digit.
bool readNumber(std::string_view token, std::size_t& pos, std::size_t minDigits,
    std::size_t maxDigits, int& value)
{
    std::size_t digits = 0;
    value = 0;
    while (pos < token.size() && isDigit(token[pos])) {
        if (++digits > maxDigits) {
            return false;
        }
        value = value * 10 + (token[pos++] - '0');
    }
    return digits >= minDigits;
}

bool readTime(std::string_view token, int& hour, int& minute, int& second)
{
    std::size_t pos = 0;
    if (!readNumber(token, pos, 1, 2, hour) || pos >= token.size() || token[pos++] != ':') {
        return false;
    }
    if (!readNumber(token, pos, 1, 2, minute) || pos >= token.size() || token[pos++] != ':') {
        return false;
    }
    return readNumber(token, pos, 1, 2, second);
}

bool readMonth(std::string_view token, int& month)
{
    for (std::size_t i = 0; i < monthNames.size(); ++i) {
        if (startsWithIgnoreCase(token, monthNames[i])) {
            month = static_cast<int>(i) + 1;
            return true;
        }
    }
    return false;
}

} // namespace

DateTime currentDateTime()
{
    return floor<milliseconds>(system_clock::now());
}

DateTime maxDateTime()
{
    return sys_days {year {9999} / December / 31} + hours {23} + minutes {59} + seconds {59}
    + milliseconds {999};
}

std::string formatHttpDate(DateTime time)
{
    static constexpr std::array<const char*, 7> dayNames
        = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months
        = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const sys_days day = floor<days>(time);
    const year_month_day date {day};
    const hh_mm_ss clock {floor<seconds>(time - day)};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02u %s %04d %02d:%02d:%02d GMT",
        dayNames[weekday {day}.c_encoding()], static_cast<unsigned>(date.day()),
        months[static_cast<unsigned>(date.month()) - 1], static_cast<int>(date.year()),
        static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
        static_cast<int>(clock.seconds().count()));
    return text;
}

std::optional<DateTime> parseHttpDate(std::string_view text)
{
    // The lenient token scan cookies need; it reads the stricter server forms as well.
    bool haveTime = false;
    bool haveDay = false;
    bool haveMonth = false;
    bool haveYear = false;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfMonth = 0;
    int month = 0;
    int yearNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isDateDelimiter(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !isDateDelimiter(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        const std::string_view token = text.substr(start, pos - start);
        if (token.empty()) {
            break;
        }
        std::size_t at = 0;
        if (!haveTime && readTime(token, hour, minute, second)) {
            haveTime = true;
        } else if (!haveDay && readNumber(token, at, 1, 2, dayOfMonth)) {
            haveDay = true;
        } else if (!haveMonth && readMonth(token, month)) {
            haveMonth = true;
        } else if (at = 0; !haveYear && readNumber(token, at, 2, 4, yearNumber)) {
            haveYear = true;
        }
    }
    if (!haveTime || !haveDay || !haveMonth || !haveYear) {
        return std::nullopt;
    }
    if (yearNumber >= 70 && yearNumber <= 99) {
        yearNumber += 1900;
    } else if (yearNumber <= 69) {
        yearNumber += 2000;
    }
    const year_month_day date {
        year {yearNumber}, std::chrono::month(month), day(static_cast<unsigned>(dayOfMonth))};
    if (yearNumber < 1601 || !date.ok() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return sys_days {date} + hours {hour} + minutes {minute} + seconds {second};
}

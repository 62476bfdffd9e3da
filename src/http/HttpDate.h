// Date-times of the HTTP layer: the form written into header lines and the lenient reading of the
// date forms servers and cookies use.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// An absolute point in time with millisecond resolution.
using DateTime = std::chrono::sys_time<std::chrono::milliseconds>;

DateTime currentDateTime();

// 9999-12-31 23:59:59.999, the expiry of a cookie that gave none.
DateTime maxDateTime();

// "Sun, 06 Nov 1994 08:49:37 GMT"
std::string formatHttpDate(DateTime time);

// Reads the usual textual date forms (RFC 1123, RFC 850 with two-digit years, asctime, and the
// looser forms cookies use) as UTC; nothing when the text holds no valid date.
std::optional<DateTime> parseHttpDate(std::string_view text);

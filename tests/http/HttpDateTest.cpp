// Reading and writing HTTP and cookie dates.
#include "HttpDate.h"

#include <gtest/gtest.h>

using namespace std::chrono;

TEST(HttpDateTest, ReadsTheUsualDateForms)
{
    const DateTime expected
        = sys_days {year {1994} / November / 6} + hours {8} + minutes {49} + seconds {37};
    for (const char* text : {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
             "Sun Nov  6 08:49:37 1994", "Sun, 06-Nov-1994 08:49:37 GMT", "6 nov 1994 8:49:37",
             "Sun, 06 Nov 1994 08:49:37 +0000"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseHttpDate(text), expected);
    }
    EXPECT_EQ(parseHttpDate("Thu, 01 Jan 2037 00:00:00 GMT"),
        DateTime {sys_days {year {2037} / January / 1}});
    EXPECT_EQ(parseHttpDate("Fri, 31 Dec 9999 23:59:59 GMT"), maxDateTime() - milliseconds {999});
}

TEST(HttpDateTest, RejectsTextsThatAreNotDates)
{
    for (const char* text : {"", "garbage", "0", "Sun, 06 Nov 1994", "31 Feb 2021 10:00:00",
             "32 Jan 2021 10:00:00", "1 Jan 1600 10:00:00", "1 Jan 2021 24:00:00",
             "1 Jan 2021 10:60:00", "1 Jan 12345 10:00:00", "1 Foo 2021 10:00:00"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseHttpDate(text).has_value());
    }
}

TEST(HttpDateTest, WritesTheGmtFormAndReadsItBack)
{
    const DateTime times[] = {DateTime {}, sys_days {year {2024} / February / 29} + hours {23},
        maxDateTime() - milliseconds {999}};
    for (const DateTime time : times) {
        const std::string text = formatHttpDate(time);
        EXPECT_EQ(parseHttpDate(text), time) << text;
    }
    EXPECT_EQ(formatHttpDate(DateTime {}), "Thu, 01 Jan 1970 00:00:00 GMT");
}

// The number rule of INI values.
#include "IniInteger.h"

#include <gtest/gtest.h>

namespace {

TEST(IniInteger, ReadsDecimalAndHexadecimalTextsAndNothingElse)
{
    const struct
    {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0},
        {"7", 7},
        {"+7", 7},
        {"-1", -1},
        {"  12", 12},
        {"0007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"0x1", 1},
        {"0X10", 16},
        {"$ff", 255},
        {"x1F", 31},
        {"-$10", -16},
        {" -0x10", -16},
        {"$FFFFFFFF", -1},
        {"$000000001", 1},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"0x-5", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"abc", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"true", std::nullopt},
        {"$fg", std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(parseIniInteger(test.text), test.expected) << '"' << test.text << '"';
    }
}

} // namespace

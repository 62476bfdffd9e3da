// Header line list: lookup, continuation lines, replacing and deleting, folding.
#include "HeaderList.h"

#include <gtest/gtest.h>

namespace {

HeaderList listOf(std::initializer_list<const char*> lines)
{
    HeaderList list;
    for (const char* line : lines) {
        list.addLine(line);
    }
    return list;
}

} // namespace

TEST(HeaderListTest, ReadsValuesByNameIgnoringCaseAndJoinsContinuationLines)
{
    const HeaderList list = listOf({"Content-Type: text/html", "no colon here", "X-Folded:  first",
        "\tsecond  ", "  third", "Set-Cookie: a=1", "set-cookie: b=2", "Empty:"});
    EXPECT_EQ(list.value("content-type"), "text/html");
    EXPECT_EQ(list.value("X-FOLDED"), "first second third");
    EXPECT_EQ(list.value("Set-Cookie"), "a=1");
    EXPECT_EQ(list.values("SET-COOKIE"), (std::vector<std::string> {"a=1", "b=2"}));
    EXPECT_EQ(list.value("Empty"), "");
    EXPECT_TRUE(list.contains("Empty"));
    EXPECT_EQ(list.value("no colon here"), "");
    EXPECT_EQ(list.value("Absent"), "");
    EXPECT_FALSE(list.contains("Absent"));
    // A continuation line is never taken for a line of its own.
    EXPECT_FALSE(list.contains("\tsecond"));
}

TEST(HeaderListTest, SetValueReplacesInPlaceAppendsOrDeletes)
{
    HeaderList list = listOf({"A: 1", "B: old", " folded part", "C: 3"});
    list.setValue("b", "new");
    EXPECT_EQ(list.lines(), (std::vector<std::string> {"A: 1", "b: new", "C: 3"}));
    list.setValue("D", "4");
    EXPECT_EQ(list.line(3), "D: 4");

    list = listOf({"A: 1", "B: old", " folded part", "C: 3"});
    list.setValue("B", "");
    EXPECT_EQ(list.lines(), (std::vector<std::string> {"A: 1", "C: 3"}));
    list.setValue("Absent", "");
    EXPECT_EQ(list.count(), 2);

    list.addValue("A", "again");
    list.addValue("E", "");
    list.addValue("", "x");
    EXPECT_EQ(list.lines(), (std::vector<std::string> {"A: 1", "C: 3", "A: again"}));
}

TEST(HeaderListTest, LineBreaksInNamesAndValuesNeverStartANewLine)
{
    HeaderList list;
    list.setValue("Referer", "x\r\nInjected: yes");
    list.addValue("A\nB", "v");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.line(0), "Referer: x  Injected: yes");
    EXPECT_FALSE(list.contains("Injected"));
}

TEST(HeaderListTest, FoldsLongLinesAtBreaksAndReadsThemBack)
{
    struct Case
    {
        int foldLength;
        std::string value;
    };
    const std::string words = [] {
        std::string text;
        for (int i = 0; i < 300; ++i) {
            text += "word" + std::to_string(i) + (i % 7 == 0 ? ", " : " ");
        }
        return text + "end";
    }();
    const Case cases[] = {
        {78, words}, {1024, words + words + words + words}, {20, "alpha,beta,gamma,delta,epsilon"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.foldLength);
        HeaderList list(c.foldLength);
        list.setValue("X-Long", c.value);
        ASSERT_GT(list.count(), 1);
        for (int i = 0; i < list.count(); ++i) {
            const std::string& line = list.line(i);
            EXPECT_LE(line.size(), static_cast<std::size_t>(c.foldLength)) << line;
            EXPECT_NE(line.back(), ' ');
            if (i > 0) {
                EXPECT_EQ(line[0], ' ');
                EXPECT_NE(line[1], ' ');
            }
        }
        std::string joined;
        for (const std::string& line : list.lines()) {
            joined += line;
        }
        // Folding only replaces runs of blanks, or adds one space after a comma.
        std::string expected = "X-Long: " + c.value;
        auto squeeze = [](std::string text) {
            std::erase(text, ' ');
            return text;
        };
        EXPECT_EQ(squeeze(joined), squeeze(expected));
        EXPECT_FALSE(list.value("x-long").empty());

        list.setValue("X-Long", "short");
        EXPECT_EQ(list.lines(), (std::vector<std::string> {"X-Long: short"}));
    }
}

TEST(HeaderListTest, ATokenLongerThanTheFoldLengthStaysWhole)
{
    HeaderList list(20);
    const std::string token(50, 'x');
    list.setValue("Name", token + " tail");
    EXPECT_EQ(list.lines(), (std::vector<std::string> {"Name: " + token, " tail"}));
    list.setFoldLines(false);
    list.setValue("Name", token + " tail");
    EXPECT_EQ(list.lines(), (std::vector<std::string> {"Name: " + token + " tail"}));
}

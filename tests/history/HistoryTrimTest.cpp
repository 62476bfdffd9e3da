// A history far past its limit is brought down in short steps, away from the window's store,
// which goes on finding and recording meanwhile; afterwards the file is small again.
#include "HistoryFixture.h"

#include <filesystem>

namespace {

constexpr int Entries = 200000;
constexpr std::size_t Limit = 1000;

std::uintmax_t sizeOf(const std::string& path)
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(path, missing);
    return missing ? 0 : size;
}

} // namespace

using HistoryTrimTest = HistoryFixture;

TEST_F(HistoryTrimTest, LargeHistoryIsTrimmedInBoundedStepsWhileTheWindowGoesOn)
{
    {
        HistoryStore create(m_path);
    }
    // Entry i was used at time i: the highest numbers are the newest.
    runSql(m_path,
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
            + std::to_string(Entries)
            + ") INSERT INTO entries (source, translation, source_code, target_code, source_key, "
              "used_at) SELECT CAST('entry ' || i AS BLOB), CAST('नोंद ' || i AS BLOB), 'en', "
              "'mr', i, i FROM n");
    const std::uintmax_t largeSize = sizeOf(m_path) + sizeOf(m_path + "-wal");

    // Opening and recording take a bounded share of the work: the file stays past its limit.
    HistoryStore window(m_path, {.limit = Limit});
    EXPECT_EQ(window.count(), std::size_t(Entries));
    window.record(u"recorded first", u"आधी", "en", "mr");
    EXPECT_EQ(window.count(), Entries + 1 - HistoryStore::RecordTrimRows);

    HistoryStore trimmer(m_path, {.limit = Limit});
    int steps = 0;
    std::size_t left = trimmer.count();
    for (bool more = true; more; ++steps) {
        more = trimmer.trimStep();
        const std::size_t now = trimmer.count();
        // The bound: no step drops more than one batch, so none holds the file for long.
        ASSERT_LE(left - now, HistoryStore::TrimBatchRows) << "step " << steps;
        left = now;
        if (steps % 100 == 0) {
            ASSERT_TRUE(window.find(u"recorded first", "en", "mr")) << "step " << steps;
        }
    }
    EXPECT_GE(steps, int((Entries - Limit) / HistoryStore::TrimBatchRows));
    EXPECT_TRUE(window.takeNotices().empty());
    EXPECT_TRUE(trimmer.takeNotices().empty());

    // The newest entries stay, the one recorded meanwhile among them.
    const auto kept = window.list();
    ASSERT_EQ(kept.size(), Limit);
    EXPECT_EQ(kept.front().source, u"recorded first");
    EXPECT_EQ(kept[1].source, u"entry " + std::u16string(u"200000"));
    EXPECT_EQ(kept.back().source, u"entry " + std::u16string(u"199002"));
    EXPECT_TRUE(window.list(u"199001").empty());
    EXPECT_EQ(window.list(u"199002").size(), 1u);

    // Compacted, and the write-ahead log emptied.
    EXPECT_GT(largeSize, 20u << 20);
    EXPECT_LT(sizeOf(m_path), 1u << 20);
    EXPECT_EQ(sizeOf(m_path + "-wal"), 0u);
}

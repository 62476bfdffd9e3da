// Recording, re-use lookups, search, limits and clearing over a real history file.
#include "HistoryFixture.h"
#include "HistoryTrimmer.h"

#include <sys/stat.h>
#include <thread>

using namespace std::string_literals;

namespace {

mode_t modeOf(const std::string& path)
{
    struct stat info
    { };
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

struct Sample
{
    std::u16string source;
    std::u16string translation;
    const char* from;
    const char* to;
};

// Recorded in this order, so the last one is the newest.
const Sample Samples[] = {
    {u"Translate this sentence", u"हे वाक्य भाषांतरित करा", "en", "mr"},
    {u"नमस्कार मित्रा", u"Hello friend", "mr", "en"},
    {u"100% sure", u"शंभर टक्के खात्री", "en", "mr"},
    {u"say \"hi\"", u"नमस्ते म्हणा", "en", "mr"},
    {u"Good morning", u"सुप्रभात", "en", "mr"},
};

void recordSamples(HistoryStore& store)
{
    for (const auto& sample : Samples) {
        store.record(sample.source, sample.translation, sample.from, sample.to);
    }
}

} // namespace

using HistoryStoreTest = HistoryFixture;

TEST_F(HistoryStoreTest, NewFileIsPrivateAndEntriesOutliveTheStore)
{
    {
        HistoryStore store(m_path);
        EXPECT_EQ(store.state(), HistoryStore::State::Ready);
        EXPECT_TRUE(store.takeNotices().empty());
        recordSamples(store);
        EXPECT_EQ(modeOf(m_path), 0600u);
        EXPECT_EQ(modeOf(m_path + "-wal"), 0600u);
        EXPECT_EQ(modeOf(m_folder.file("data/quendra")), 0700u);
    }
    HistoryStore store(m_path);
    const auto entry = store.find(u"नमस्कार मित्रा", "mr", "en");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->translation, u"Hello friend");
    EXPECT_EQ(entry->sourceCode, "mr");
    EXPECT_EQ(entry->targetCode, "en");
    EXPECT_EQ(entry->useCount, 1);
    EXPECT_EQ(store.count(), std::size(Samples));
}

TEST_F(HistoryStoreTest, LookupNeedsTheSameTextAndDirection)
{
    HistoryStore store(m_path);
    recordSamples(store);
    EXPECT_TRUE(store.find(u"Good morning", "en", "mr"));
    EXPECT_FALSE(store.find(u"Good morning", "mr", "en"));
    EXPECT_FALSE(store.find(u"Good morning ", "en", "mr"));
    EXPECT_FALSE(store.find(u"good morning", "en", "mr"));
    EXPECT_FALSE(store.find(u"", "en", "mr"));
}

TEST_F(HistoryStoreTest, RecordingAgainReplacesTheTranslationAndReuseCounts)
{
    HistoryStore store(m_path);
    recordSamples(store);

    store.record(u"Translate this sentence", u"हे वाक्य अनुवादित करा", "en", "mr");
    auto entries = store.list();
    ASSERT_EQ(entries.size(), std::size(Samples));
    EXPECT_EQ(entries.front().source, u"Translate this sentence");
    EXPECT_EQ(entries.front().translation, u"हे वाक्य अनुवादित करा");
    EXPECT_EQ(entries.front().useCount, 2);
    EXPECT_EQ(sources(store.list(u"भाषांतर")), std::vector<std::u16string> {});
    EXPECT_EQ(store.list(u"अनुवाद").size(), 1u);

    const auto reused = store.find(u"100% sure", "en", "mr");
    ASSERT_TRUE(reused);
    store.markUsed(reused->id);
    entries = store.list();
    EXPECT_EQ(entries.front().source, u"100% sure");
    EXPECT_EQ(entries.front().useCount, 2);
    EXPECT_LT(entries[1].usedAt, entries.front().usedAt);

    // The same text in the other direction is an entry of its own.
    store.record(u"Good morning", u"Good morning", "mr", "en");
    EXPECT_EQ(store.count(), std::size(Samples) + 1);
}

TEST_F(HistoryStoreTest, AnyTextReadsBackUnitForUnit)
{
    std::u16string megabyte;
    while (megabyte.size() < 512 * 1024) {
        megabyte += u"मराठी text \xD800\0 \U0001F600\r\n"s;
    }
    const std::u16string texts[] = {
        u"NUL \0 inside"s,
        u"\0"s,
        u"lone \xDC00 low and lone \xD800 high",
        u"\xD83D",
        u"",
        megabyte,
    };
    {
        HistoryStore store(m_path);
        for (const auto& text : texts) {
            store.record(text, text + u"→", "en", "mr");
        }
    }
    HistoryStore store(m_path);
    for (const auto& text : texts) {
        const auto entry = store.find(text, "en", "mr");
        ASSERT_TRUE(entry) << text.size();
        EXPECT_EQ(entry->source, text);
        EXPECT_EQ(entry->translation, text + u"→");
    }
    EXPECT_EQ(store.list().front().source, megabyte);
    EXPECT_EQ(store.list(u"\U0001F600\r\n").size(), 1u);
}

TEST_F(HistoryStoreTest, FilterMatchesAnyPartOfEitherText)
{
    HistoryStore store(m_path);
    recordSamples(store);
    const std::u16string translate = u"Translate this sentence", namaskar = u"नमस्कार मित्रा",
                         sure = u"100% sure", hi = u"say \"hi\"", morning = u"Good morning";
    const struct
    {
        std::u16string filter;
        std::vector<std::u16string> found;
    } cases[] = {
        {u"", {morning, hi, sure, namaskar, translate}},
        {u"ransl", {translate}},
        {u"TRANSLATE THIS", {translate}},
        {u"मस्", {hi, namaskar}},
        {u"भाषांतर", {translate}},
        {u"friend", {namaskar}},
        {u"% s", {sure}},
        {u"\"hi\"", {hi}},
        {u"zzz", {}},
        // Fewer than three characters.
        {u"hi", {hi, translate}},
        {u"र", {morning, sure, namaskar, translate}},
        {u"%", {sure}},
        {u"_", {}},
        {u"\\", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sources(store.list(c.filter)), c.found) << testing::PrintToString(c.filter);
    }
    // A filter past any typing length finds nothing, and never turns history off.
    EXPECT_TRUE(store.list(u"Good morning" + std::u16string(100000, u'!')).empty());
    EXPECT_EQ(store.state(), HistoryStore::State::Ready);
    EXPECT_TRUE(store.takeNotices().empty());
    EXPECT_EQ(sources(store.list(u"", 2)), (std::vector<std::u16string> {morning, hi}));
    EXPECT_EQ(sources(store.list(u"र", 1)), std::vector<std::u16string> {morning});
    EXPECT_EQ(sources(store.list(u"", 2, 1)), (std::vector<std::u16string> {hi, sure}));
    EXPECT_EQ(sources(store.list(u"र", 0, 3)), std::vector<std::u16string> {translate});
}

TEST_F(HistoryStoreTest, LimitDropsTheEntriesUsedLongestAgo)
{
    {
        HistoryStore store(m_path, {.limit = 3});
        recordSamples(store);
        EXPECT_EQ(sources(store.list()),
            (std::vector<std::u16string> {u"Good morning", u"say \"hi\"", u"100% sure"}));
        // A re-used entry is young again and outlives the others.
        store.markUsed(store.find(u"100% sure", "en", "mr")->id);
        // A lowered limit drops nothing at once: the trim steps do.
        store.setLimit(2);
        EXPECT_EQ(store.count(), 3u);
        while (store.trimStep()) { }
        EXPECT_EQ(
            sources(store.list()), (std::vector<std::u16string> {u"100% sure", u"Good morning"}));
        EXPECT_TRUE(store.list(u"say").empty());
    }
    // Opening drops nothing either; a trimmer on a thread of its own brings the file down.
    {
        HistoryStore store(m_path, {.limit = 1});
        EXPECT_EQ(store.count(), 2u);
        HistoryTrimmer trimmer(m_path, 1);
        for (int i = 0; i < 5000 && !trimmer.finished(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_TRUE(trimmer.finished());
    }
    HistoryStore store(m_path, {.limit = 1});
    EXPECT_EQ(sources(store.list()), std::vector<std::u16string> {u"100% sure"});
}

TEST_F(HistoryStoreTest, RemoveTakesOneEntryOut)
{
    HistoryStore store(m_path);
    recordSamples(store);
    store.remove(store.find(u"नमस्कार मित्रा", "mr", "en")->id);
    EXPECT_FALSE(store.find(u"नमस्कार मित्रा", "mr", "en"));
    EXPECT_TRUE(store.list(u"friend").empty());
    EXPECT_EQ(store.count(), std::size(Samples) - 1);
}

TEST_F(HistoryStoreTest, RemoveLeavesNoTraceOfTheTextsInTheFiles)
{
    const std::string marker = "Qzxw-Jvkq";
    HistoryStore store(m_path);
    recordSamples(store);
    store.record(u"Qzxw-Jvkq", u"झ्ङ्ञ-ढ्ण", "en", "mr");
    store.record(u"Recorded after", u"नंतर", "en", "mr");
    ASSERT_NE(fileBytes().find(marker), std::string::npos);

    store.remove(store.find(u"Qzxw-Jvkq", "en", "mr")->id);
    const std::string bytes = fileBytes();
    EXPECT_EQ(bytes.find(marker), std::string::npos);
    EXPECT_EQ(bytes.find("झ्ङ्ञ"), std::string::npos);
    // Nor the runs of three characters the search index kept of it (letter case folded).
    for (const char* run : {"qzx", "zxw", "xw-", "w-j", "-jv", "jvk", "vkq"}) {
        EXPECT_EQ(bytes.find(run), std::string::npos) << run;
    }
    EXPECT_EQ(store.count(), std::size(Samples) + 1);
    EXPECT_EQ(sources(store.list(u"after")), std::vector<std::u16string> {u"Recorded after"});
}

TEST_F(HistoryStoreTest, ClearLeavesNoTraceOfTheTextsInTheFiles)
{
    const std::string marker = "xylophone-secret-7741";
    HistoryStore store(m_path);
    recordSamples(store);
    store.record(u"xylophone-secret-7741", u"क्षितिज-गुपित", "en", "mr");
    ASSERT_NE(fileBytes().find(marker), std::string::npos);

    store.clear();
    EXPECT_EQ(store.count(), 0u);
    EXPECT_TRUE(store.list(u"secret").empty());
    const std::string bytes = fileBytes();
    EXPECT_EQ(bytes.find(marker), std::string::npos);
    EXPECT_EQ(bytes.find("क्षितिज"), std::string::npos);
    EXPECT_EQ(bytes.find("Good morning"), std::string::npos);

    store.record(u"after", u"नंतर", "en", "mr");
    EXPECT_EQ(store.count(), 1u);
}

TEST_F(HistoryStoreTest, FileOfTheFirstLayoutIsUpgradedAndSearchable)
{
    std::filesystem::create_directories(m_folder.file("data/quendra"));
    runSql(m_path, R"(
        CREATE TABLE entries (id INTEGER PRIMARY KEY, source BLOB NOT NULL,
            translation BLOB NOT NULL, source_code TEXT NOT NULL, target_code TEXT NOT NULL,
            source_key INTEGER NOT NULL, used_at INTEGER NOT NULL,
            use_count INTEGER NOT NULL DEFAULT 1);
        CREATE INDEX entries_by_source ON entries (source_key);
        CREATE INDEX entries_by_time ON entries (used_at, id);
        INSERT INTO entries VALUES (1, CAST('Old friend' AS BLOB), CAST('जुना मित्र' AS BLOB),
            'en', 'mr', 0, 1000, 3);
        INSERT INTO entries VALUES (2, CAST('Older one' AS BLOB), CAST('आणखी जुना' AS BLOB),
            'en', 'mr', 0, 500, 1);
        PRAGMA user_version = 1;
    )");
    ::chmod(m_path.c_str(), 0644); // as another tool would leave it
    HistoryStore store(m_path);
    EXPECT_EQ(store.state(), HistoryStore::State::Ready);
    EXPECT_EQ(modeOf(m_path), 0600u);
    EXPECT_EQ(sources(store.list(u"मित्र")), std::vector<std::u16string> {u"Old friend"});
    EXPECT_EQ(
        sources(store.list(u"जुना")), (std::vector<std::u16string> {u"Old friend", u"Older one"}));
    EXPECT_EQ(store.list().front().useCount, 3);
    store.record(u"New", u"नवा", "en", "mr");
    EXPECT_EQ(store.list().front().source, u"New");
}

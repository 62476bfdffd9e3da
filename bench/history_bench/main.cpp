// history_bench: fills a history file with 100,000 English and Marathi entries, then times
// recording one more entry, an exact re-use lookup, a search for a three-letter Devanagari
// fragment found in a third of the entries and one for a fragment found once, beside a plain
// scan of every text for the common fragment (what a store without the trigram index would do).
// Ends by printing the file's size against the size of the texts in it. Last, while a trimmer
// brings the file down to 1,000 entries, it times what a translation would wait for: a recording
// made in place against one handed to the writing thread followed by a look-up.
//
//   history_bench [benchmark options]
//   QUENDRA_BENCH_DIR=/some/folder history_bench     where the file goes (default /tmp)
#include "HistoryStore.h"
#include "HistoryTrimmer.h"
#include "HistoryWriter.h"
#include "StoredText.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int EntryCount = 100000;

const char16_t* const Marathi[] = {u"सुप्रभात", u"तुम्ही", u"कसे", u"आहात", u"आज", u"हवामान", u"खूप",
    u"छान", u"आहे", u"मला", u"पुस्तक", u"वाचायला", u"आवडते", u"आम्ही", u"उद्या", u"मुंबईला", u"जाणार",
    u"आहोत", u"शाळा", u"सकाळी", u"सुरू", u"होते", u"त्याने", u"पत्र", u"लिहिले"};
const char16_t* const English[]
    = {u"good", u"morning", u"how", u"are", u"you", u"today", u"the", u"weather", u"is", u"very",
        u"nice", u"I", u"like", u"to", u"read", u"books", u"we", u"will", u"go", u"Mumbai",
        u"tomorrow", u"school", u"starts", u"early", u"he", u"wrote", u"a", u"letter"};

template <std::size_t N>
std::u16string sentence(std::mt19937& random, const char16_t* const (&words)[N], int number)
{
    std::u16string text;
    const int length = 4 + static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) {
        text += words[random() % N];
        text += u' ';
    }
    // Every entry distinct, as a real history's would be.
    for (const char c : std::to_string(number)) {
        text += static_cast<char16_t>(c);
    }
    return text;
}

struct Fixture
{
    Fixture()
    {
        const char* folder = std::getenv("QUENDRA_BENCH_DIR");
        path
            = (fs::path(folder ? folder : "/tmp") / ("history_bench-" + std::to_string(::getpid())))
                  .string();
        fs::remove(path);
        store = std::make_unique<HistoryStore>(path, HistoryOptions {.limit = EntryCount * 2});
        std::mt19937 random(7);
        for (int i = 0; i < EntryCount; ++i) {
            const bool english = i % 2 == 0;
            std::u16string source
                = english ? sentence(random, English, i) : sentence(random, Marathi, i);
            std::u16string translation
                = english ? sentence(random, Marathi, i) : sentence(random, English, i);
            textBytes
                += StoredText::toStored(source).size() + StoredText::toStored(translation).size();
            store->record(source, translation, english ? "en" : "mr", english ? "mr" : "en");
            if (i == EntryCount / 2) {
                lookupSource = source;
            }
        }
    }

    ~Fixture()
    {
        store.reset();
        for (const char* suffix : {"", "-wal", "-shm"}) {
            fs::remove(path + suffix);
        }
    }

    std::string path;
    std::unique_ptr<HistoryStore> store;
    std::u16string lookupSource;
    std::size_t textBytes = 0;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

// "हवा" of "हवामान": three characters, in a tenth of the Marathi sentences.
const std::u16string Fragment = u"हवा";

void BM_Record(benchmark::State& state)
{
    Fixture& f = fixture();
    std::mt19937 random(11);
    int number = EntryCount;
    for (auto _ : state) {
        f.store->record(
            sentence(random, English, number), sentence(random, Marathi, number), "en", "mr");
        ++number;
    }
}

void BM_ExactLookup(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.store->find(f.lookupSource, "mr", "en"));
    }
}

void BM_SearchDevanagari(benchmark::State& state)
{
    Fixture& f = fixture();
    std::size_t found = 0;
    for (auto _ : state) {
        found = f.store->list(Fragment, static_cast<std::size_t>(state.range(0))).size();
    }
    state.counters["found"] = static_cast<double>(found);
}

// A fragment in one entry only: the search walks the whole history.
void BM_SearchRare(benchmark::State& state)
{
    Fixture& f = fixture();
    std::size_t found = 0;
    for (auto _ : state) {
        found = f.store->list(u"77777", 200).size();
    }
    state.counters["found"] = static_cast<double>(found);
}

// The same search as a scan of every text, through a connection of its own.
void BM_SearchByScan(benchmark::State& state)
{
    Fixture& f = fixture();
    sqlite3* db = nullptr;
    sqlite3_open_v2(f.path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db,
        "SELECT id, source, translation FROM entries WHERE instr(source, ?1) OR "
        "instr(translation, ?1) ORDER BY used_at DESC LIMIT ?2",
        -1, &query, nullptr);
    const std::string fragment = StoredText::toStored(Fragment);
    std::size_t found = 0;
    for (auto _ : state) {
        sqlite3_bind_blob(query, 1, fragment.data(), static_cast<int>(fragment.size()), nullptr);
        sqlite3_bind_int64(query, 2, state.range(0) ? state.range(0) : -1);
        found = 0;
        while (sqlite3_step(query) == SQLITE_ROW) {
            ++found;
        }
        sqlite3_reset(query);
    }
    state.counters["found"] = static_cast<double>(found);
    sqlite3_finalize(query);
    sqlite3_close(db);
}

// Runs once: the trim takes the fixture's entries with it.
void BM_WaitWhileTrimming(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Fixture& f = fixture();
    std::mt19937 random(13);
    int number = EntryCount * 2;
    double inPlaceMax = 0;
    double handedOverMax = 0;
    int rounds = 0;
    for (auto _ : state) {
        HistoryWriter writer(f.path, {.limit = 1000});
        HistoryTrimmer trimmer(f.path, 1000);
        f.store->setLimit(1000);
        while (!trimmer.finished()) {
            auto start = Clock::now();
            f.store->record(
                sentence(random, English, number), sentence(random, Marathi, number), "en", "mr");
            inPlaceMax = std::max(inPlaceMax,
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            ++number;
            start = Clock::now();
            writer.post([text = sentence(random, English, number),
                            translation = sentence(random, Marathi, number)](
                            HistoryStore& store) { store.record(text, translation, "en", "mr"); });
            // What TranslationHistory does before a look-up: waits 40 ms at most.
            writer.waitForWrites(std::chrono::milliseconds(40));
            benchmark::DoNotOptimize(f.store->find(f.lookupSource, "mr", "en"));
            handedOverMax = std::max(handedOverMax,
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            ++number;
            ++rounds;
        }
    }
    state.counters["rounds"] = rounds;
    state.counters["in_place_max_ms"] = inPlaceMax;
    state.counters["handed_over_max_ms"] = handedOverMax;
}

BENCHMARK(BM_Record)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactLookup)->Unit(benchmark::kMillisecond);
// 200 is what the History window shows at first; 0 is every match.
BENCHMARK(BM_SearchDevanagari)->Arg(200)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchByScan)->Arg(200)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaitWhileTrimming)->Iterations(1)->Unit(benchmark::kMillisecond);

void printSizes()
{
    Fixture& f = fixture();
    sqlite3* db = nullptr;
    sqlite3_open(f.path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::size_t fileBytes = 0;
    for (const char* suffix : {"", "-wal"}) {
        std::error_code ignored;
        const auto size = fs::file_size(f.path + suffix, ignored);
        fileBytes += ignored ? 0 : size;
    }
    std::printf("entries %d, texts %.1f MB (UTF-8), file %.1f MB, ratio %.2f (goal under 2)\n",
        EntryCount, f.textBytes / 1e6, fileBytes / 1e6, double(fileBytes) / f.textBytes);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    fixture();
    printSizes();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

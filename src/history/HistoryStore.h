// The translation history: a database file of past translations, looked up to re-use a
// translation without the network, searched by any part of either text, and kept to a size.
//
// The store never throws. Whatever goes wrong with the file (damaged, not a database, from a
// newer program, not writable, held by another running program) leaves the program working:
// the store changes its state and queues a notice for the user, and the calls it can no longer
// serve do nothing or find nothing.
#pragma once

#include "HistoryEntry.h"
#include "SqliteDatabase.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HistoryOptions
{
    // Most entries kept; recording past it drops the entries used longest ago.
    std::size_t limit = 10000;
    // How long a write waits for another program that holds the file before history pauses.
    int busyTimeoutMs = 2000;
};

class HistoryStore
{
public:
    enum class State
    {
        Ready,
        // Entries can be read, nothing is written: the file is read-only.
        ReadOnly,
        // Another program held the file too long; nothing more is written this session.
        Paused,
        // No usable file.
        Off,
    };

    // Opens the file, creating it (mode 0600) and its folder (mode 0700) when missing. A damaged
    // file is renamed aside, never deleted, and a new one started in its place. An empty path
    // gives a store that is off.
    explicit HistoryStore(std::string path, HistoryOptions options = {});
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    const std::string& path() const { return m_path; }
    State state() const { return m_state; }
    // Messages for the user about the file that came up since the last call, oldest first.
    std::vector<std::string> takeNotices();

    // The most entries kept from now on. Recording drops at most RecordTrimRows of the entries
    // past it; trimStep drops the rest.
    void setLimit(std::size_t limit);

    static constexpr std::size_t RecordTrimRows = 2;
    // Rows one trimStep drops. A step holds the file for 2 ms on average here; the search index's
    // own merges make one step in about thirty take up to 150 ms, and the first merge after a
    // large trim about 250 ms. A store that records meanwhile waits no longer than one step;
    // finding never waits.
    static constexpr std::size_t TrimBatchRows = 200;
    // Pages of the search index one step merges.
    static constexpr int MergePages = 64;

    // One bounded step of bringing the file down to the limit, for a store opened on a thread of
    // its own (HistoryTrimmer runs the steps). Each step is one short transaction: it drops at
    // most maxRows of the entries used longest ago past the limit; once none are left, it merges
    // MergePages of the search index (which still holds pieces of dropped texts); the last step
    // compacts the file when more than a quarter of it is free and empties the write-ahead log.
    // True while more steps remain.
    bool trimStep(std::size_t maxRows = TrimBatchRows);

    // Remembers a translation. A source already held for the direction gets the new translation,
    // becomes the newest entry and counts one more use.
    void record(std::u16string_view source, std::u16string_view translation,
        std::string_view sourceCode, std::string_view targetCode);
    // The entry holding exactly this source for the direction.
    std::optional<HistoryEntry> find(
        std::u16string_view source, std::string_view sourceCode, std::string_view targetCode);
    // Counts a re-use of an entry and makes it the newest.
    void markUsed(std::int64_t id);

    // Entries newest first, skipping the first offset of them and taking at most maxEntries (0:
    // all). A filter keeps the entries whose source or translation holds it anywhere, letter case
    // aside.
    std::vector<HistoryEntry> list(
        std::u16string_view filter = {}, std::size_t maxEntries = 0, std::size_t offset = 0);
    std::size_t count();

    // Takes one entry out and leaves no trace of its texts in the files: the search index is
    // merged and the write-ahead log emptied (the time that takes grows with the history).
    void remove(std::int64_t id);
    // Deletes every entry and compacts the file, so no deleted text stays in it.
    void clear();

private:
    struct Statements;

    void open();
    void openFile();
    void renameAside();
    void fail(const SqliteError& error);
    bool writable() const { return m_state == State::Ready; }
    std::int64_t nextTime();
    // Drops at most maxRows of the entries past the limit, oldest first; gives the count dropped.
    std::size_t dropOldest(std::size_t maxRows);
    // After a recording: drops at most RecordTrimRows of the entries past the limit.
    void keepToLimit();
    // One bounded merge of the search index; false when there was nothing left to merge.
    bool mergeSearchIndex();
    void purgeDeletedTexts();
    template <typename Result, typename Action> Result guarded(Result fallback, Action action);

    std::string m_path;
    HistoryOptions m_options;
    State m_state = State::Off;
    std::vector<std::string> m_notices;
    SqliteDatabase m_db;
    std::unique_ptr<Statements> m_statements;
    std::int64_t m_lastTime = 0;
    // Entries in the file as this store last counted them; unknown until the first recording.
    std::optional<std::size_t> m_count;
};

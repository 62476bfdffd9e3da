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

    // Drops the entries used longest ago until at most limit remain.
    void setLimit(std::size_t limit);

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
    void trim();
    template <typename Result, typename Action> Result guarded(Result fallback, Action action);

    std::string m_path;
    HistoryOptions m_options;
    State m_state = State::Off;
    std::vector<std::string> m_notices;
    SqliteDatabase m_db;
    std::unique_ptr<Statements> m_statements;
    std::size_t m_count = 0;
    std::int64_t m_lastTime = 0;
};

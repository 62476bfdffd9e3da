// Opening the history file, the error policy for it, and the queries behind each call.
#include "HistoryStore.h"

#include "HistorySchema.h"
#include "StoredText.h"
#include "Unicode.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxFilterLength = 1000;

constexpr const char* EntryColumns
    = "e.id, e.source, e.translation, e.source_code, e.target_code, e.used_at, e.use_count";

// FNV-1a over the stored source: a stable number that narrows an exact lookup to a row or two.
std::int64_t sourceKey(std::string_view stored)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : stored) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    }
    return static_cast<std::int64_t>(hash);
}

HistoryEntry readEntry(const SqliteStatement& row)
{
    HistoryEntry entry;
    entry.id = row.integer(0);
    entry.source = StoredText::fromStored(row.bytes(1));
    entry.translation = StoredText::fromStored(row.bytes(2));
    entry.sourceCode = std::string(row.bytes(3));
    entry.targetCode = std::string(row.bytes(4));
    entry.usedAt = row.integer(5);
    entry.useCount = row.integer(6);
    return entry;
}

std::size_t codePointCount(std::u16string_view text)
{
    std::size_t count = 0;
    for (const char16_t unit : text) {
        count += Unicode::isLowSurrogate(unit) ? 0 : 1;
    }
    return count;
}

// Every run of three characters of the filter, each a literal string, all required.
std::string trigramQuery(std::u16string_view filter)
{
    std::vector<std::size_t> starts; // where each character begins, in UTF-16 units
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (!Unicode::isLowSurrogate(filter[i]) || i == 0
            || !Unicode::isHighSurrogate(filter[i - 1])) {
            starts.push_back(i);
        }
    }
    starts.push_back(filter.size());
    std::string query;
    for (std::size_t k = 0; k + 3 < starts.size(); ++k) {
        const std::string run
            = StoredText::toStored(filter.substr(starts[k], starts[k + 3] - starts[k]));
        query += query.empty() ? "\"" : " AND \"";
        for (const char c : run) {
            query += c;
            if (c == '"') {
                query += '"';
            }
        }
        query += '"';
    }
    return query;
}

// The filter as a LIKE pattern that matches it anywhere.
std::string likePattern(std::string_view stored)
{
    std::string pattern = "%";
    for (const char c : stored) {
        if (c == '%' || c == '_' || c == '\\') {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "%";
}

std::string timeSuffix()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// A regular file, not reached through a link. A path that cannot be looked at passes: opening
// it fails with SQLite's own words.
bool isPlainFile(const std::string& path)
{
    struct stat info
    { };
    return ::lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

// A file made by some other tool is still the user's private history. Changed through a
// descriptor that refused to follow a link, so only this very file is ever changed.
void makePrivate(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info
    { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & 077) != 0) {
        ::fchmod(fd, info.st_mode & 0700);
    }
    ::close(fd);
}

} // namespace

struct HistoryStore::Statements
{
    explicit Statements(SqliteDatabase& db)
        : find(db,
            "SELECT e.id, e.source, e.translation, e.source_code, e.target_code, e.used_at, "
            "e.use_count FROM entries e WHERE source_key = ?1 AND source_code = ?2 AND "
            "target_code = ?3 AND source = ?4")
        , insert(db,
              "INSERT INTO entries (source, translation, source_code, target_code, source_key, "
              "used_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        , replace(db,
              "UPDATE entries SET translation = ?1, used_at = ?2, use_count = use_count + 1 "
              "WHERE id = ?3")
        , touch(db, "UPDATE entries SET used_at = ?1, use_count = use_count + 1 WHERE id = ?2")
        , remove(db, "DELETE FROM entries WHERE id = ?1")
        // The entry at position ?1 counted from the newest is the newest one past the limit;
        // the walk to it costs the limit, however large the file. The oldest go first.
        , dropOldest(db,
              "DELETE FROM entries WHERE id IN (SELECT id FROM entries WHERE (used_at, id) <= "
              "(SELECT used_at, id FROM entries ORDER BY used_at DESC, id DESC LIMIT 1 OFFSET ?1) "
              "ORDER BY used_at, id LIMIT ?2)")
    { }

    void resetAll()
    {
        for (SqliteStatement* statement :
            {&find, &insert, &replace, &touch, &remove, &dropOldest}) {
            statement->reset();
        }
    }

    SqliteStatement find;
    SqliteStatement insert;
    SqliteStatement replace;
    SqliteStatement touch;
    SqliteStatement remove;
    SqliteStatement dropOldest;
};

HistoryStore::HistoryStore(std::string path, HistoryOptions options)
    : m_path(std::move(path))
    , m_options(options)
{
    open();
}

HistoryStore::~HistoryStore()
{
    m_statements.reset();
    m_db.close();
}

std::vector<std::string> HistoryStore::takeNotices()
{
    return std::exchange(m_notices, {});
}

void HistoryStore::open()
{
    if (m_path.empty()) {
        return;
    }
    try {
        openFile();
    } catch (const SqliteError& error) {
        fail(error);
    }
}

void HistoryStore::openFile()
{
    m_statements.reset();
    m_db.close();
    m_state = State::Off;
    m_count.reset();

    const fs::path folder = fs::path(m_path).parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::exists(folder, error)) {
        fs::create_directories(folder, error);
        ::chmod(folder.c_str(), 0700);
    }
    if (!exists(m_path)) {
        // Created here rather than by SQLite, whose files are readable by everyone; the journal
        // files SQLite adds take the mode of this one.
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
        }
    }
    // A link could lead the history into any file of the user's, a FIFO would hold it forever.
    if (!isPlainFile(m_path) || !isPlainFile(m_path + "-wal") || !isPlainFile(m_path + "-shm")) {
        m_notices.push_back(
            "The history file " + m_path + " is a link or not a regular file. History is off.");
        return;
    }
    // Effective ids decide, as they decide what SQLite may write.
    const auto mayWrite = [](const fs::path& file) {
        return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
    };
    const bool canWrite = mayWrite(m_path) && mayWrite(folder.empty() ? fs::path(".") : folder);
    m_db.open(
        m_path, (canWrite ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOFOLLOW);
    m_db.setBusyTimeout(m_options.busyTimeoutMs);

    // The first read of the file: a file that is no database fails here, before anything is
    // written to it.
    const auto version = m_db.queryInteger("PRAGMA user_version");
    if (version > HistorySchema::CurrentVersion) {
        m_db.close();
        m_notices.push_back("The history file " + m_path
            + " was written by a newer version of Quendra. History is off.");
        return;
    }
    if (HistorySchema::holdsForeignObjects(m_db)) {
        m_db.close();
        m_notices.push_back("The history file " + m_path
            + " holds the data of another program. It is left as it is. History is off.");
        return;
    }
    makePrivate(m_path);
    if (!canWrite) {
        if (version < HistorySchema::CurrentVersion) {
            m_db.close();
            m_notices.push_back(
                "The history file " + m_path + " cannot be written. History is off.");
            return;
        }
        m_notices.push_back("The history file " + m_path
            + " cannot be written. New translations are not recorded.");
    } else {
        m_db.exec("PRAGMA journal_mode = WAL");
        // A process that is killed loses nothing committed with NORMAL in WAL mode; only a
        // power cut can take back the last commits.
        m_db.exec("PRAGMA synchronous = NORMAL");
        // Deleted texts are overwritten, not just unlinked from the tree.
        m_db.exec("PRAGMA secure_delete = ON");
        if (version < HistorySchema::CurrentVersion) {
            HistorySchema::upgrade(m_db);
        }
    }
    m_statements = std::make_unique<Statements>(m_db);
    m_lastTime = m_db.queryInteger("SELECT max(used_at) FROM entries");
    m_state = canWrite ? State::Ready : State::ReadOnly;
}

void HistoryStore::renameAside()
{
    m_statements.reset();
    m_db.close();
    std::string aside = m_path + ".damaged-" + timeSuffix();
    for (int n = 2; exists(aside); ++n) {
        aside = m_path + ".damaged-" + timeSuffix() + "-" + std::to_string(n);
    }
    std::error_code error;
    fs::rename(m_path, aside, error);
    if (error) {
        m_state = State::Off;
        m_notices.push_back("The history file " + m_path
            + " is damaged and could not be renamed: " + error.message() + ". History is off.");
        return;
    }
    // Journal files belong to the damaged file; they move with it so SQLite pairs them again.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (exists(m_path + suffix)) {
            fs::rename(m_path + suffix, aside + suffix, error);
        }
    }
    m_notices.push_back("The history file " + m_path + " is damaged. It was renamed to " + aside
        + " and a new history was started.");
    try {
        openFile();
    } catch (const SqliteError& failure) {
        m_statements.reset();
        m_db.close();
        m_state = State::Off;
        m_notices.push_back("The history file " + m_path + " cannot be used: " + failure.message()
            + ". History is off.");
    }
}

void HistoryStore::fail(const SqliteError& error)
{
    switch (error.code()) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        renameAside();
        return;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        // The busy time-out has been waited out already. Reading may still work; writing waits
        // for the next start rather than holding up every translation.
        m_notices.push_back(
            "The history file " + m_path + " is in use by another program. History is paused.");
        if (m_statements) {
            m_state = State::Paused;
            return;
        }
        m_db.close();
        m_state = State::Off;
        return;
    case SQLITE_READONLY:
        if (m_db.isOpen() && m_statements) {
            m_state = State::ReadOnly;
            m_notices.push_back("The history file " + m_path
                + " cannot be written. New translations are not recorded.");
            return;
        }
        break;
    default:
        break;
    }
    m_statements.reset();
    m_db.close();
    m_state = State::Off;
    m_notices.push_back(
        "The history file " + m_path + " cannot be used: " + error.message() + ". History is off.");
}

template <typename Result, typename Action>
Result HistoryStore::guarded(Result fallback, Action action)
{
    if (!m_statements) {
        return fallback;
    }
    try {
        return action();
    } catch (const SqliteError& error) {
        m_statements->resetAll();
        m_db.rollback();
        m_count.reset();
        fail(error);
        return fallback;
    }
}

std::int64_t HistoryStore::nextTime()
{
    // Strictly increasing, so the newest entry stays first even within one millisecond or when
    // the clock is set back.
    const std::int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    m_lastTime = std::max(now, m_lastTime + 1);
    return m_lastTime;
}

std::size_t HistoryStore::dropOldest(std::size_t maxRows)
{
    auto& drop = m_statements->dropOldest;
    drop.bind(1, static_cast<std::int64_t>(m_options.limit));
    drop.bind(2, static_cast<std::int64_t>(maxRows));
    runToEnd(drop);
    return static_cast<std::size_t>(m_db.changes());
}

void HistoryStore::keepToLimit()
{
    // The count is known after the first recording and followed from there, so the walk to the
    // limit is made only when the file is past it. Never more than a few rows go here, however
    // far past it the file is: trimStep takes the rest, away from the translation.
    m_count = m_count ? *m_count + 1
                      : static_cast<std::size_t>(m_db.queryInteger("SELECT count(*) FROM entries"));
    if (*m_count <= m_options.limit) {
        return;
    }
    const std::size_t dropped = dropOldest(RecordTrimRows);
    // Fewer than asked: another store trimmed meanwhile, and the count is counted again.
    m_count = dropped == RecordTrimRows ? std::optional(*m_count - dropped) : std::nullopt;
}

bool HistoryStore::mergeSearchIndex()
{
    // The merge reports its work only through the count of changes: two or more is work done.
    const std::int64_t before = m_db.totalChanges();
    m_db.exec("INSERT INTO entries_search (entries_search, rank) VALUES ('merge', -"
        + std::to_string(MergePages) + ")");
    return m_db.totalChanges() - before >= 2;
}

void HistoryStore::purgeDeletedTexts()
{
    // Until the index is merged into one piece, its older pieces still hold the runs of three
    // characters of every deleted text; the write-ahead log still holds the old pages.
    while (mergeSearchIndex()) { }
    m_db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

void HistoryStore::setLimit(std::size_t limit)
{
    m_options.limit = limit;
}

bool HistoryStore::trimStep(std::size_t maxRows)
{
    if (!writable()) {
        return false;
    }
    m_count.reset();
    return guarded(false, [&] {
        if (dropOldest(maxRows) > 0 || mergeSearchIndex()) {
            return true;
        }
        // Compacting rewrites what remains, at most the limit's worth of entries: worth it only
        // when much of the file is free.
        if (m_db.queryInteger("PRAGMA freelist_count") * 4
            > m_db.queryInteger("PRAGMA page_count")) {
            m_db.exec("VACUUM");
        }
        m_db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        return false;
    });
}

void HistoryStore::record(std::u16string_view source, std::u16string_view translation,
    std::string_view sourceCode, std::string_view targetCode)
{
    if (!writable()) {
        return;
    }
    guarded(0, [&] {
        const std::string storedSource = StoredText::toStored(source);
        const std::string storedTranslation = StoredText::toStored(translation);
        const std::int64_t key = sourceKey(storedSource);
        m_db.exec("BEGIN IMMEDIATE");
        auto& find = m_statements->find;
        find.bind(1, key).bindText(2, sourceCode).bindText(3, targetCode).bindBlob(4, storedSource);
        const std::int64_t existing = find.step() ? find.integer(0) : 0;
        find.reset();
        if (existing) {
            auto& replace = m_statements->replace;
            replace.bindBlob(1, storedTranslation).bind(2, nextTime()).bind(3, existing);
            runToEnd(replace);
        } else {
            auto& insert = m_statements->insert;
            insert.bindBlob(1, storedSource).bindBlob(2, storedTranslation);
            insert.bindText(3, sourceCode).bindText(4, targetCode).bind(5, key);
            insert.bind(6, nextTime());
            runToEnd(insert);
            keepToLimit();
        }
        m_db.exec("COMMIT");
        return 0;
    });
}

std::optional<HistoryEntry> HistoryStore::find(
    std::u16string_view source, std::string_view sourceCode, std::string_view targetCode)
{
    return guarded(std::optional<HistoryEntry>(), [&] {
        const std::string stored = StoredText::toStored(source);
        auto& find = m_statements->find;
        find.bind(1, sourceKey(stored)).bindText(2, sourceCode).bindText(3, targetCode);
        find.bindBlob(4, stored);
        std::optional<HistoryEntry> entry;
        if (find.step()) {
            entry = readEntry(find);
        }
        find.reset();
        return entry;
    });
}

void HistoryStore::markUsed(std::int64_t id)
{
    if (!writable()) {
        return;
    }
    guarded(0, [&] {
        auto& touch = m_statements->touch;
        touch.bind(1, nextTime()).bind(2, id);
        runToEnd(touch);
        return 0;
    });
}

std::vector<HistoryEntry> HistoryStore::list(
    std::u16string_view filter, std::size_t maxEntries, std::size_t offset)
{
    // Nobody types more to find an entry; longer patterns would pass SQLite's LIKE limits.
    if (filter.size() > MaxFilterLength) {
        const bool splitsPair = Unicode::isLowSurrogate(filter[MaxFilterLength]);
        filter = filter.substr(0, MaxFilterLength - (splitsPair ? 1 : 0));
    }
    return guarded(std::vector<HistoryEntry>(), [&] {
        const std::string stored = StoredText::toStored(filter);
        const std::string order = " ORDER BY e.used_at DESC, e.id DESC LIMIT ?2 OFFSET ?3";
        std::string sql = std::string("SELECT ") + EntryColumns + " FROM entries e";
        const std::string pattern = likePattern(stored);
        const std::string matches = " (CAST(e.source AS TEXT) LIKE ?4 ESCAPE '\\' OR "
                                    "CAST(e.translation AS TEXT) LIKE ?4 ESCAPE '\\')";
        std::string trigrams;
        if (filter.empty()) {
            sql += order;
        } else if (codePointCount(filter) >= 3) {
            // The trigram index names the entries that can hold the text and LIKE confirms. The
            // "+" keeps SQLite walking entries newest first, so a common fragment stops at the
            // first few matches instead of sorting all of them.
            sql += " WHERE +e.id IN (SELECT rowid FROM entries_search WHERE entries_search MATCH "
                   "?1)"
                   " AND"
                + matches + order;
            trigrams = trigramQuery(filter);
        } else {
            // Shorter texts have no trigram; they are few to type and a scan finds them.
            sql += " WHERE" + matches + order;
        }
        SqliteStatement query(m_db, sql);
        if (!trigrams.empty()) {
            query.bindText(1, trigrams);
        }
        if (!filter.empty()) {
            query.bindText(4, pattern);
        }
        query.bind(2, maxEntries ? static_cast<std::int64_t>(maxEntries) : -1);
        query.bind(3, static_cast<std::int64_t>(offset));
        std::vector<HistoryEntry> entries;
        while (query.step()) {
            entries.push_back(readEntry(query));
        }
        return entries;
    });
}

std::size_t HistoryStore::count()
{
    return guarded(std::size_t(0), [&] {
        return static_cast<std::size_t>(m_db.queryInteger("SELECT count(*) FROM entries"));
    });
}

void HistoryStore::remove(std::int64_t id)
{
    if (!writable()) {
        return;
    }
    guarded(0, [&] {
        auto& remove = m_statements->remove;
        remove.bind(1, id);
        runToEnd(remove);
        m_count.reset();
        purgeDeletedTexts();
        return 0;
    });
}

void HistoryStore::clear()
{
    if (!writable()) {
        return;
    }
    guarded(0, [&] {
        m_db.exec("DELETE FROM entries");
        m_db.exec("INSERT INTO entries_search (entries_search) VALUES ('delete-all')");
        m_count = 0;
        // VACUUM rebuilds the file without the freed pages; the checkpoint then writes it back
        // and empties the write-ahead log, which still held the old pages.
        m_db.exec("VACUUM");
        m_db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        return 0;
    });
}

// Layout steps. A step, once released, is never changed: a later layout adds a step.
#include "HistorySchema.h"

#include "SqliteDatabase.h"

#include <string>

namespace {

// Index i holds the statements that take a file from version i to version i + 1.
constexpr const char* Steps[] = {
    // 1: the entries. Texts are blobs so any content survives; source_key is a hash of the
    // source, which finds exact repeats without indexing whole texts twice.
    R"(
    CREATE TABLE entries (
        id INTEGER PRIMARY KEY,
        source BLOB NOT NULL,
        translation BLOB NOT NULL,
        source_code TEXT NOT NULL,
        target_code TEXT NOT NULL,
        source_key INTEGER NOT NULL,
        used_at INTEGER NOT NULL,
        use_count INTEGER NOT NULL DEFAULT 1
    );
    CREATE INDEX entries_by_source ON entries (source_key);
    CREATE INDEX entries_by_time ON entries (used_at, id);
    )",
    // 2: search by any part of a word, in either text. The index holds which entries contain
    // each run of three characters, not where (that would triple the file); a search narrows to
    // the entries holding all runs of its text and then checks them. It reads the texts from
    // entries and is kept in step by triggers; entries already present are indexed here.
    R"(
    CREATE VIRTUAL TABLE entries_search USING fts5 (
        source, translation, content = 'entries', content_rowid = 'id', tokenize = 'trigram',
        detail = none);
    CREATE TRIGGER entries_added AFTER INSERT ON entries BEGIN
        INSERT INTO entries_search (rowid, source, translation)
        VALUES (new.id, new.source, new.translation);
    END;
    CREATE TRIGGER entries_removed AFTER DELETE ON entries BEGIN
        INSERT INTO entries_search (entries_search, rowid, source, translation)
        VALUES ('delete', old.id, old.source, old.translation);
    END;
    CREATE TRIGGER entries_changed AFTER UPDATE OF source, translation ON entries BEGIN
        INSERT INTO entries_search (entries_search, rowid, source, translation)
        VALUES ('delete', old.id, old.source, old.translation);
        INSERT INTO entries_search (rowid, source, translation)
        VALUES (new.id, new.source, new.translation);
    END;
    INSERT INTO entries_search (entries_search) VALUES ('rebuild');
    )",
};

static_assert(std::size(Steps) == HistorySchema::CurrentVersion);

} // namespace

namespace HistorySchema {

void upgrade(SqliteDatabase& db)
{
    for (;;) {
        db.exec("BEGIN IMMEDIATE");
        try {
            // Read inside the write transaction: another program may have upgraded meanwhile.
            const auto version = db.queryInteger("PRAGMA user_version");
            if (version >= CurrentVersion) {
                db.exec("COMMIT");
                return;
            }
            db.exec(Steps[version]);
            db.exec("PRAGMA user_version = " + std::to_string(version + 1));
            db.exec("COMMIT");
        } catch (...) {
            db.rollback();
            throw;
        }
    }
}

bool holdsForeignObjects(SqliteDatabase& db)
{
    // The search index keeps its data in tables named after it; SQLite keeps its own as sqlite_*.
    return db.queryInteger(R"(
        SELECT count(*) FROM sqlite_master WHERE name NOT IN ('entries', 'entries_by_source',
            'entries_by_time', 'entries_search', 'entries_added', 'entries_removed',
            'entries_changed')
        AND name NOT LIKE 'entries\_search\_%' ESCAPE '\' AND name NOT LIKE 'sqlite\_%' ESCAPE '\'
    )") > 0;
}

} // namespace HistorySchema

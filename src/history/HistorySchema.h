// The history database's tables and the steps that bring a file of any earlier layout up to the
// current one. The layout's number is kept in SQLite's user_version.
#pragma once

class SqliteDatabase;

namespace HistorySchema {

// The layout this program writes. A file with a higher number comes from a newer program.
constexpr int CurrentVersion = 2;

// Runs every step from the file's version up to CurrentVersion, each in its own transaction, so
// a step that fails leaves the file at the version before it. Call only when the file's version
// is at most CurrentVersion.
void upgrade(SqliteDatabase& db);

// Whether the file holds tables, indexes, views or triggers that no layout makes: the file belongs
// to another program, and the history must not adopt it.
bool holdsForeignObjects(SqliteDatabase& db);

} // namespace HistorySchema

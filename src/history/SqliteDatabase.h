// A thin owner of one SQLite connection and its prepared statements. Every failing call becomes a
// SqliteError that keeps SQLite's result code, so the history can decide what a failure means.
#pragma once

#include "Exception.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteError : public Exception
{
public:
    SqliteError(int code, const std::string& message)
        : Exception(message)
        , m_code(code)
    { }

    // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...), extended bits taken off.
    int code() const { return m_code & 0xFF; }

private:
    int m_code;
};

class SqliteDatabase
{
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Opens the file (flags as sqlite3_open_v2 takes them); throws on failure.
    void open(const std::string& path, int flags);
    void close();
    // How long a statement waits for a lock another program holds on the file.
    void setBusyTimeout(int milliseconds);
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }

    // Runs statements that return nothing of interest.
    void exec(std::string_view sql);
    // Ends an open transaction without its changes; quiet, since it runs while a failure is
    // already on its way up.
    void rollback() noexcept;
    // The first column of the first row of a query that yields one number.
    std::int64_t queryInteger(std::string_view sql);

    // Rows the last statement changed, and rows changed since the connection opened (both count
    // what an internal command of a virtual table did too).
    std::int64_t changes() const;
    std::int64_t totalChanges() const;

    // Throws the connection's current error for result code rc unless it is a success.
    void check(int rc) const;

private:
    sqlite3* m_db = nullptr;
};

class SqliteStatement
{
public:
    SqliteStatement(SqliteDatabase& db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1, columns from 0, as in SQLite.
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bindText(int index, std::string_view value);
    SqliteStatement& bindBlob(int index, std::string_view value);

    // Advances to the next row; false when there is none.
    bool step();
    // Makes the statement ready to run again and forgets its parameters.
    void reset();

    std::int64_t integer(int column) const;
    std::string_view bytes(int column) const;

private:
    SqliteDatabase& m_db;
    sqlite3_stmt* m_statement = nullptr;
};

// Runs a statement to its end, resetting it afterwards even when it fails.
void runToEnd(SqliteStatement& statement);

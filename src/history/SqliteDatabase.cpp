// Errors of the SQLite C API turned into exceptions, and statements that clean up after
// themselves.
#include "SqliteDatabase.h"

#include <sqlite3.h>

SqliteDatabase::~SqliteDatabase()
{
    close();
}

void SqliteDatabase::open(const std::string& path, int flags)
{
    close();
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        const int code = m_db ? sqlite3_extended_errcode(m_db) : rc;
        close();
        throw SqliteError(code, message);
    }
    sqlite3_extended_result_codes(m_db, 1);
}

void SqliteDatabase::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDatabase::check(int rc) const
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) {
        return;
    }
    throw SqliteError(m_db ? sqlite3_extended_errcode(m_db) : rc,
        m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
}

void SqliteDatabase::exec(std::string_view sql)
{
    check(sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr));
}

void SqliteDatabase::rollback() noexcept
{
    if (m_db && !sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::int64_t SqliteDatabase::queryInteger(std::string_view sql)
{
    SqliteStatement statement(*this, sql);
    return statement.step() ? statement.integer(0) : 0;
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, std::string_view sql)
    : m_db(db)
{
    m_db.check(sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    m_db.check(sqlite3_bind_int64(m_statement, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::bindText(int index, std::string_view value)
{
    m_db.check(sqlite3_bind_text64(
        m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, std::string_view value)
{
    // An empty text is still a value, never NULL.
    static const char empty = 0;
    m_db.check(sqlite3_bind_blob64(
        m_statement, index, value.empty() ? &empty : value.data(), value.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    m_db.check(rc);
    return false;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::string_view SqliteStatement::bytes(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

void runToEnd(SqliteStatement& statement)
{
    try {
        while (statement.step()) { }
    } catch (...) {
        statement.reset();
        throw;
    }
    statement.reset();
}

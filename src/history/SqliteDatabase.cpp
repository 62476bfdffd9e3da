// Errors of the SQLite C API turned into exceptions, and statements that clean up after
// themselves.
#include "SqliteDatabase.h"

#include "RuntimeLibrary.h"

#include <sqlite3.h>

namespace {

// The library's calls, bound when the history is first opened: linked, the library would be
// loaded at every start of the program, also when the history is never used.
struct SqliteCalls
{
    decltype(&::sqlite3_open_v2) sqlite3_open_v2;
    decltype(&::sqlite3_errmsg) sqlite3_errmsg;
    decltype(&::sqlite3_errstr) sqlite3_errstr;
    decltype(&::sqlite3_extended_errcode) sqlite3_extended_errcode;
    decltype(&::sqlite3_extended_result_codes) sqlite3_extended_result_codes;
    decltype(&::sqlite3_close_v2) sqlite3_close_v2;
    decltype(&::sqlite3_exec) sqlite3_exec;
    decltype(&::sqlite3_get_autocommit) sqlite3_get_autocommit;
    decltype(&::sqlite3_prepare_v3) sqlite3_prepare_v3;
    decltype(&::sqlite3_finalize) sqlite3_finalize;
    decltype(&::sqlite3_bind_int64) sqlite3_bind_int64;
    decltype(&::sqlite3_bind_text64) sqlite3_bind_text64;
    decltype(&::sqlite3_bind_blob64) sqlite3_bind_blob64;
    decltype(&::sqlite3_step) sqlite3_step;
    decltype(&::sqlite3_reset) sqlite3_reset;
    decltype(&::sqlite3_clear_bindings) sqlite3_clear_bindings;
    decltype(&::sqlite3_column_int64) sqlite3_column_int64;
    decltype(&::sqlite3_column_blob) sqlite3_column_blob;
    decltype(&::sqlite3_column_bytes) sqlite3_column_bytes;
    decltype(&::sqlite3_busy_timeout) sqlite3_busy_timeout;
    decltype(&::sqlite3_changes64) sqlite3_changes64;
    decltype(&::sqlite3_total_changes64) sqlite3_total_changes64;
};

SqliteCalls loadCalls()
{
    RuntimeLibrary library("libsqlite3.so.0");
    SqliteCalls calls {};
    library.bind("sqlite3_open_v2", calls.sqlite3_open_v2);
    library.bind("sqlite3_errmsg", calls.sqlite3_errmsg);
    library.bind("sqlite3_errstr", calls.sqlite3_errstr);
    library.bind("sqlite3_extended_errcode", calls.sqlite3_extended_errcode);
    library.bind("sqlite3_extended_result_codes", calls.sqlite3_extended_result_codes);
    library.bind("sqlite3_close_v2", calls.sqlite3_close_v2);
    library.bind("sqlite3_exec", calls.sqlite3_exec);
    library.bind("sqlite3_get_autocommit", calls.sqlite3_get_autocommit);
    library.bind("sqlite3_prepare_v3", calls.sqlite3_prepare_v3);
    library.bind("sqlite3_finalize", calls.sqlite3_finalize);
    library.bind("sqlite3_bind_int64", calls.sqlite3_bind_int64);
    library.bind("sqlite3_bind_text64", calls.sqlite3_bind_text64);
    library.bind("sqlite3_bind_blob64", calls.sqlite3_bind_blob64);
    library.bind("sqlite3_step", calls.sqlite3_step);
    library.bind("sqlite3_reset", calls.sqlite3_reset);
    library.bind("sqlite3_clear_bindings", calls.sqlite3_clear_bindings);
    library.bind("sqlite3_column_int64", calls.sqlite3_column_int64);
    library.bind("sqlite3_column_blob", calls.sqlite3_column_blob);
    library.bind("sqlite3_column_bytes", calls.sqlite3_column_bytes);
    library.bind("sqlite3_busy_timeout", calls.sqlite3_busy_timeout);
    library.bind("sqlite3_changes64", calls.sqlite3_changes64);
    library.bind("sqlite3_total_changes64", calls.sqlite3_total_changes64);
    if (!library.complete()) {
        throw SqliteError(SQLITE_CANTOPEN,
            "The SQLite library could not be loaded: install the Debian package libsqlite3-0.");
    }
    return calls;
}

// A failed load leaves the static unset, so the next use tries again.
const SqliteCalls& sqlite()
{
    static const SqliteCalls calls = loadCalls();
    return calls;
}

} // namespace

SqliteDatabase::~SqliteDatabase()
{
    close();
}

void SqliteDatabase::open(const std::string& path, int flags)
{
    close();
    const int rc = sqlite().sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message
            = m_db ? sqlite().sqlite3_errmsg(m_db) : sqlite().sqlite3_errstr(rc);
        const int code = m_db ? sqlite().sqlite3_extended_errcode(m_db) : rc;
        close();
        throw SqliteError(code, message);
    }
    sqlite().sqlite3_extended_result_codes(m_db, 1);
}

void SqliteDatabase::setBusyTimeout(int milliseconds)
{
    sqlite().sqlite3_busy_timeout(m_db, milliseconds);
}

void SqliteDatabase::close()
{
    if (m_db) {
        sqlite().sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDatabase::check(int rc) const
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) {
        return;
    }
    throw SqliteError(m_db ? sqlite().sqlite3_extended_errcode(m_db) : rc,
        m_db ? sqlite().sqlite3_errmsg(m_db) : sqlite().sqlite3_errstr(rc));
}

void SqliteDatabase::exec(std::string_view sql)
{
    check(sqlite().sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr));
}

void SqliteDatabase::rollback() noexcept
{
    if (m_db && !sqlite().sqlite3_get_autocommit(m_db)) {
        sqlite().sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::int64_t SqliteDatabase::changes() const
{
    return sqlite().sqlite3_changes64(m_db);
}

std::int64_t SqliteDatabase::totalChanges() const
{
    return sqlite().sqlite3_total_changes64(m_db);
}

std::int64_t SqliteDatabase::queryInteger(std::string_view sql)
{
    SqliteStatement statement(*this, sql);
    return statement.step() ? statement.integer(0) : 0;
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, std::string_view sql)
    : m_db(db)
{
    m_db.check(sqlite().sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr));
}

SqliteStatement::~SqliteStatement()
{
    sqlite().sqlite3_finalize(m_statement);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    m_db.check(sqlite().sqlite3_bind_int64(m_statement, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::bindText(int index, std::string_view value)
{
    m_db.check(sqlite().sqlite3_bind_text64(
        m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, std::string_view value)
{
    // An empty text is still a value, never NULL.
    static const char empty = 0;
    m_db.check(sqlite().sqlite3_bind_blob64(
        m_statement, index, value.empty() ? &empty : value.data(), value.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::step()
{
    const int rc = sqlite().sqlite3_step(m_statement);
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
    sqlite().sqlite3_reset(m_statement);
    sqlite().sqlite3_clear_bindings(m_statement);
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite().sqlite3_column_int64(m_statement, column);
}

std::string_view SqliteStatement::bytes(int column) const
{
    const void* data = sqlite().sqlite3_column_blob(m_statement, column);
    const int size = sqlite().sqlite3_column_bytes(m_statement, column);
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

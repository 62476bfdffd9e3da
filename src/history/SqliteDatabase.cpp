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
    decltype(&::sqlite3_open_v2) open_v2;
    decltype(&::sqlite3_errmsg) errmsg;
    decltype(&::sqlite3_errstr) errstr;
    decltype(&::sqlite3_extended_errcode) extended_errcode;
    decltype(&::sqlite3_extended_result_codes) extended_result_codes;
    decltype(&::sqlite3_close_v2) close_v2;
    decltype(&::sqlite3_exec) exec;
    decltype(&::sqlite3_get_autocommit) get_autocommit;
    decltype(&::sqlite3_prepare_v3) prepare_v3;
    decltype(&::sqlite3_finalize) finalize;
    decltype(&::sqlite3_bind_int64) bind_int64;
    decltype(&::sqlite3_bind_text64) bind_text64;
    decltype(&::sqlite3_bind_blob64) bind_blob64;
    decltype(&::sqlite3_step) step;
    decltype(&::sqlite3_reset) reset;
    decltype(&::sqlite3_clear_bindings) clear_bindings;
    decltype(&::sqlite3_column_int64) column_int64;
    decltype(&::sqlite3_column_blob) column_blob;
    decltype(&::sqlite3_column_bytes) column_bytes;
    decltype(&::sqlite3_busy_timeout) busy_timeout;
};

SqliteCalls loadCalls()
{
    void* library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
    SqliteCalls calls {};
#define QUENDRA_BIND(name) bindSymbol(library, "sqlite3_" #name, calls.name)
    const bool bound = library && QUENDRA_BIND(open_v2) && QUENDRA_BIND(errmsg)
        && QUENDRA_BIND(errstr) && QUENDRA_BIND(extended_errcode)
        && QUENDRA_BIND(extended_result_codes) && QUENDRA_BIND(close_v2) && QUENDRA_BIND(exec)
        && QUENDRA_BIND(get_autocommit) && QUENDRA_BIND(prepare_v3) && QUENDRA_BIND(finalize)
        && QUENDRA_BIND(bind_int64) && QUENDRA_BIND(bind_text64) && QUENDRA_BIND(bind_blob64)
        && QUENDRA_BIND(step) && QUENDRA_BIND(reset) && QUENDRA_BIND(clear_bindings)
        && QUENDRA_BIND(column_int64) && QUENDRA_BIND(column_blob) && QUENDRA_BIND(column_bytes)
        && QUENDRA_BIND(busy_timeout);
#undef QUENDRA_BIND
    if (!bound) {
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
    const int rc = sqlite().open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite().errmsg(m_db) : sqlite().errstr(rc);
        const int code = m_db ? sqlite().extended_errcode(m_db) : rc;
        close();
        throw SqliteError(code, message);
    }
    sqlite().extended_result_codes(m_db, 1);
}

void SqliteDatabase::setBusyTimeout(int milliseconds)
{
    sqlite().busy_timeout(m_db, milliseconds);
}

void SqliteDatabase::close()
{
    if (m_db) {
        sqlite().close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDatabase::check(int rc) const
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) {
        return;
    }
    throw SqliteError(m_db ? sqlite().extended_errcode(m_db) : rc,
        m_db ? sqlite().errmsg(m_db) : sqlite().errstr(rc));
}

void SqliteDatabase::exec(std::string_view sql)
{
    check(sqlite().exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr));
}

void SqliteDatabase::rollback() noexcept
{
    if (m_db && !sqlite().get_autocommit(m_db)) {
        sqlite().exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
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
    m_db.check(sqlite().prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()),
        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr));
}

SqliteStatement::~SqliteStatement()
{
    sqlite().finalize(m_statement);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    m_db.check(sqlite().bind_int64(m_statement, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::bindText(int index, std::string_view value)
{
    m_db.check(sqlite().bind_text64(
        m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, std::string_view value)
{
    // An empty text is still a value, never NULL.
    static const char empty = 0;
    m_db.check(sqlite().bind_blob64(
        m_statement, index, value.empty() ? &empty : value.data(), value.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::step()
{
    const int rc = sqlite().step(m_statement);
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
    sqlite().reset(m_statement);
    sqlite().clear_bindings(m_statement);
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite().column_int64(m_statement, column);
}

std::string_view SqliteStatement::bytes(int column) const
{
    const void* data = sqlite().column_blob(m_statement, column);
    const int size = sqlite().column_bytes(m_statement, column);
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

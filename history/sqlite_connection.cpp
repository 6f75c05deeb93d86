#include "history/sqlite_connection.h"

#include <sqlite3.h>

namespace chronell::history {

bool SqliteError::damaged() const
{
    return code() == SQLITE_CORRUPT || code() == SQLITE_NOTADB;
}

bool SqliteError::locked() const
{
    return code() == SQLITE_BUSY || code() == SQLITE_LOCKED;
}

Connection::Connection(const std::string& path, std::chrono::milliseconds busyTimeout)
{
    // A connection is used by one thread at a time: no locking of its own.
    const int code = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                     nullptr);
    if (code != SQLITE_OK) {
        // A handle is returned even on failure, holding the message.
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        throw SqliteError(code, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
}

Connection::~Connection()
{
    sqlite3_close_v2(db_);
}

void Connection::execute(const char* sql)
{
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) fail(code);
}

Statement Connection::prepare(std::string_view sql)
{
    return Statement(*this, db_, sql);
}

std::int64_t Connection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

void Connection::fail(int code) const
{
    throw SqliteError(code, sqlite3_errmsg(db_));
}

Statement::Statement(const Connection& connection, sqlite3* db, std::string_view sql)
    : connection_(connection), db_(db)
{
    check(sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                             &statement_, nullptr));
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

Statement::Statement(Statement&& other) noexcept
    : connection_(other.connection_), db_(other.db_), statement_(other.statement_)
{
    other.statement_ = nullptr;
}

void Statement::check(int code) const
{
    if (code != SQLITE_OK) connection_.fail(code);
}

void Statement::bind(int index, std::int64_t value)
{
    check(sqlite3_bind_int64(statement_, index, value));
}

void Statement::bind(int index, double value)
{
    check(sqlite3_bind_double(statement_, index, value));
}

void Statement::bind(int index, std::string_view bytes)
{
    // A zero-length blob is still a value, not null.
    check(sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                              SQLITE_TRANSIENT));
}

void Statement::bindNull(int index)
{
    check(sqlite3_bind_null(statement_, index));
}

void Statement::bind(int index, const std::optional<std::int64_t>& value)
{
    if (value) bind(index, *value);
    else bindNull(index);
}

void Statement::bind(int index, const std::optional<double>& value)
{
    if (value) bind(index, *value);
    else bindNull(index);
}

void Statement::bind(int index, const std::optional<std::string>& bytes)
{
    if (bytes) bind(index, std::string_view(*bytes));
    else bindNull(index);
}

bool Statement::step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    sqlite3_reset(statement_);
    connection_.fail(code);
}

void Statement::reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(statement_, column);
}

std::string Statement::bytes(int column) const
{
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
}

void Statement::bytes(int column, std::string& into) const
{
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (data) into.assign(static_cast<const char*>(data), static_cast<std::size_t>(size));
    else into.clear();
}

void Statement::optionalBytes(int column, std::optional<std::string>& into) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        into.reset();
        return;
    }
    if (!into) into.emplace();
    // The pointer before the length, as SQLite asks; none for no bytes.
    const void* data = sqlite3_value_blob(value);
    if (data) into->assign(static_cast<const char*>(data), static_cast<std::size_t>(sqlite3_value_bytes(value)));
    else into->clear();
}

// The optional values take the column's value once: each column call
// checks the statement anew.
std::optional<std::int64_t> Statement::optionalInteger(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL) return std::nullopt;
    return sqlite3_value_int64(value);
}

std::optional<double> Statement::optionalReal(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL) return std::nullopt;
    return sqlite3_value_double(value);
}

std::optional<std::string> Statement::optionalBytes(int column) const
{
    if (isNull(column)) return std::nullopt;
    return bytes(column);
}

Transaction::Transaction(Connection& connection) : connection_(connection)
{
    connection_.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (!open_) return;
    try {
        connection_.execute("ROLLBACK");
    } catch (const SqliteError&) {
        // SQLite has rolled back by itself after the error that got us here.
    }
}

void Transaction::commit()
{
    connection_.execute("COMMIT");
    open_ = false;
}

} // namespace chronell::history

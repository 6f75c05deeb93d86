#pragma once
// A SQLite connection and its prepared statements as RAII values. Every
// failure is thrown as a SqliteError carrying SQLite's code and message.
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace chronell::history {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...).
    int code() const { return code_ & 0xff; }
    // The file is not a database or its contents are damaged.
    bool damaged() const;
    // Another connection holds the lock it waited for.
    bool locked() const;

private:
    int code_;
};

class Statement;

class Connection {
public:
    // Opens (creating when missing) the database at `path`; a lock held
    // elsewhere is waited for up to `busyTimeout` before a statement fails.
    Connection(const std::string& path, std::chrono::milliseconds busyTimeout);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs statements without results.
    void execute(const char* sql);
    Statement prepare(std::string_view sql);
    std::int64_t lastInsertId() const;

    [[noreturn]] void fail(int code) const;

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(const Connection& connection, sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    // Parameters count from 1. Texts are bound as blobs: job-list bytes are
    // kept as they are, whatever their encoding.
    void bind(int index, std::int64_t value);
    void bind(int index, double value);
    void bind(int index, std::string_view bytes);
    void bindNull(int index);
    void bind(int index, const std::optional<std::int64_t>& value);
    void bind(int index, const std::optional<double>& value);
    void bind(int index, const std::optional<std::string>& bytes);

    // true while there is a row; false when done.
    bool step();
    // Resets for the next binding; bindings are cleared.
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string bytes(int column) const;
    std::optional<std::int64_t> optionalInteger(int column) const;
    std::optional<double> optionalReal(int column) const;
    std::optional<std::string> optionalBytes(int column) const;
    // The same into a string whose memory is reused.
    void bytes(int column, std::string& into) const;
    void optionalBytes(int column, std::optional<std::string>& into) const;

private:
    void check(int code) const;

    const Connection& connection_;
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);  // BEGIN IMMEDIATE: takes the write lock at once
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool open_ = true;
};

} // namespace chronell::history

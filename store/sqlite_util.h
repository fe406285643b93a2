// The SQLite kit of the store and the bank builder: a database that closes itself, a
// statement and a transaction, every failure thrown as one error carrying SQLite's
// message and extended result code.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sqlite {

class Error : public std::runtime_error {
public:
    Error(const std::string& message, int code) : std::runtime_error(message), m_code(code) {}
    // The connection's last message; the code's own text where there is no connection.
    Error(sqlite3* db, int code);
    int code() const { return m_code; }

private:
    int m_code;
};

class Database {
public:
    // Opens with `flags` (SQLITE_OPEN_*); extended result codes on.
    Database(const std::string& path, int flags);
    ~Database() { Close(); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* get() const { return m_db; }
    bool IsOpen() const { return m_db != nullptr; }
    void Exec(const std::string& sql);
    // Statements still prepared keep the engine alive until they are finalized.
    void Close();

private:
    sqlite3* m_db = nullptr;
};

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    Statement(const Database& db, std::string_view sql) : Statement(db.get(), sql) {}
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void BindText(int index, std::string_view text);
    void BindNull(int index) { sqlite3_bind_null(m_stmt, index); }
    void BindInt64(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
    void BindDouble(int index, double value) { sqlite3_bind_double(m_stmt, index, value); }
    // True on a row, false at the end.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    void Reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    int ColumnCount() const { return sqlite3_column_count(m_stmt); }
    const char* ColumnName(int column) const { return sqlite3_column_name(m_stmt, column); }
    std::int64_t Int64(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double Double(int column) const { return sqlite3_column_double(m_stmt, column); }
    // Null for an SQL NULL.
    const char* Text(int column) const {
        return reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    }
    // The text, empty for an SQL NULL.
    std::string String(int column) const {
        const char* text = Text(column);
        return text ? text : "";
    }
    size_t Bytes(int column) const {
        return static_cast<size_t>(sqlite3_column_bytes(m_stmt, column));
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// Rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db, const char* begin = "BEGIN");
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& m_db;
    bool m_done = false;
};

// "name" quoted as an SQL identifier.
std::string QuoteIdentifier(std::string_view name);

} // namespace sqlite

// Thin RAII holders over the SQLite C API, shared by the store and the bank builder.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace sqlite {

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_rc == SQLITE_OK; }
    int prepareResult() const { return m_rc; }
    sqlite3_stmt* get() const { return m_stmt; }

    void BindText(int index, std::string_view text);
    void BindNull(int index) { sqlite3_bind_null(m_stmt, index); }
    void BindInt64(int index, sqlite3_int64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    int Step() { return sqlite3_step(m_stmt); }
    void Reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc;
};

// "name" quoted as an SQL identifier.
std::string QuoteIdentifier(std::string_view name);

} // namespace sqlite

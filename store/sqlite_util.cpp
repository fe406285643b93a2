#include "store/sqlite_util.h"

#include "store/text_util.h"

namespace sqlite {

Error::Error(sqlite3* db, int code)
    : std::runtime_error(db ? sqlite3_errmsg(db) : sqlite3_errstr(code)), m_code(code) {}

Database::Database(const std::string& path, int flags) {
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        Error error(m_db, m_db ? sqlite3_extended_errcode(m_db) : rc);
        Close();
        throw error;
    }
    sqlite3_extended_result_codes(m_db, 1);
}

void Database::Exec(const std::string& sql) {
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw Error(m_db, rc);
}

void Database::Close() {
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

Statement::Statement(sqlite3* db, std::string_view sql) : m_db(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throw Error(db, rc);
}

void Statement::BindText(int index, std::string_view text) {
    sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

bool Statement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    Error error(m_db, rc);
    sqlite3_reset(m_stmt); // nothing holds the file after a failure
    throw error;
}

void Statement::Run() {
    while (Step()) {
    }
}

Transaction::Transaction(Database& db, const char* begin) : m_db(db) {
    m_db.Exec(begin);
}

Transaction::~Transaction() {
    if (!m_done && m_db.IsOpen())
        sqlite3_exec(m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    m_db.Exec("COMMIT");
    m_done = true;
}

std::string QuoteIdentifier(std::string_view name) {
    return text::Quoted(name, '"');
}

} // namespace sqlite

#include "store/ado.h"

#include "store/engine_call.h"
#include "store/row_id.h"
#include "store/sqlite_util.h"
#include "store/text_util.h"

#include <sqlite3.h>

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kProvider = "Microsoft.Jet.OLEDB.4.0";

using text::SameIgnoringCase;
using text::Trim;

// The value of `key` in "k1=v1;k2=v2"; empty when absent.
std::string ConnectionProperty(std::string_view connection, std::string_view key) {
    while (!connection.empty()) {
        size_t semi = connection.find(';');
        std::string_view part = connection.substr(0, semi);
        connection =
            semi == std::string_view::npos ? std::string_view{} : connection.substr(semi + 1);
        size_t eq = part.find('=');
        if (eq != std::string_view::npos && SameIgnoringCase(Trim(part.substr(0, eq)), key))
            return std::string(Trim(part.substr(eq + 1)));
    }
    return {};
}

bool IsIdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// The table of "SELECT * FROM <table>" (the table may be bracketed); empty when the
// text is not of that form.
std::string TableOfSelectAll(std::string_view sql) {
    sql = Trim(sql);
    if (sql.ends_with(';'))
        sql = Trim(sql.substr(0, sql.size() - 1));
    auto takeWord = [&sql](std::string_view word) {
        sql = Trim(sql);
        if (sql.size() < word.size() || !SameIgnoringCase(sql.substr(0, word.size()), word))
            return false;
        sql.remove_prefix(word.size());
        return true;
    };
    if (!takeWord("SELECT") || !takeWord("*") || !takeWord("FROM"))
        return {};
    std::string_view name = Trim(sql);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    if (name.empty())
        return {};
    for (char c : name)
        if (!IsIdentifierChar(c))
            return {};
    return std::string(name);
}

} // namespace

// ---- Connection ----------------------------------------------------------------------

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const std::string& connectionString, const std::string& /*userId*/,
                      const std::string& /*password*/, long /*options*/) {
    if (m_db)
        throw _com_error(adErrObjectOpen, "connection already open");
    if (!SameIgnoringCase(ConnectionProperty(connectionString, "Provider"), kProvider))
        throw _com_error(adErrProviderNotFound, "provider not found");
    const std::string file = ConnectionProperty(connectionString, "Data Source");
    if (file.empty())
        throw _com_error(E_FAIL, "no data source");

    m_db = Engine([&] {
        // One thread uses the connection: SQLite's own locking of every call is not needed.
        auto db =
            std::make_shared<sqlite::Database>(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
        sqlite3_busy_timeout(db->get(), m_busyTimeoutMs);
        // SQLite opens lazily and takes an empty file for an empty database: read the
        // schema now, so a foreign, empty or locked file fails here, untouched.
        sqlite::Statement(*db, "SELECT count(*) FROM sqlite_master").Step();
        sqlite::Statement pages(*db, "PRAGMA page_count");
        if (!pages.Step() || pages.Int64(0) == 0)
            throw _com_error(E_FAIL, "file is empty, not a database");
        return db;
    });
}

long Connection::GetState() const {
    return m_db ? adStateOpen : adStateClosed;
}

void Connection::Close() {
    if (!m_db)
        throw _com_error(adErrObjectClosed, "connection is closed");
    // Record sets still holding the file finish with it; they see it closed.
    m_db->Close();
    m_db.reset();
}

namespace {
void Exec(sqlite::Database* db, const char* sql) {
    if (!db)
        throw _com_error(adErrObjectClosed, "connection is closed");
    Engine([&] { db->Exec(sql); });
}
} // namespace

void Connection::Execute(const std::string& sql) {
    Exec(m_db.get(), sql.c_str());
}

long Connection::BeginTrans() {
    Exec(m_db.get(), "BEGIN IMMEDIATE");
    return 1;
}

void Connection::CommitTrans() {
    Exec(m_db.get(), "COMMIT");
}

void Connection::RollbackTrans() {
    Exec(m_db.get(), "ROLLBACK");
}

TransactionScope::TransactionScope(const _ConnectionPtr& connection) : m_connection(connection) {
    m_connection->BeginTrans();
}

TransactionScope::~TransactionScope() {
    if (m_done)
        return;
    try {
        m_connection->RollbackTrans();
    } catch (const _com_error&) {
        // The engine rolled it back itself (a full disk, for one).
    }
}

void TransactionScope::Commit() {
    m_connection->CommitTrans();
    m_done = true;
}

std::optional<_com_error> WriteWithinSavepoint(const _ConnectionPtr& connection,
                                               const std::string& name,
                                               const std::function<void()>& write) {
    connection->Execute("SAVEPOINT " + name);
    try {
        write();
    } catch (const _com_error& e) {
        if (IsFileFailure(e))
            throw;
        connection->Execute("ROLLBACK TO " + name);
        connection->Execute("RELEASE " + name);
        return e;
    }
    connection->Execute("RELEASE " + name);
    return std::nullopt;
}

void Connection::SetBusyTimeout(int milliseconds) {
    m_busyTimeoutMs = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db->get(), milliseconds);
}

// ---- Recordset -----------------------------------------------------------------------

// The record set keeps only the row ids of its table (8 bytes a row) and reads the rows
// themselves as the cursor reaches them: one at a time after a jump, in growing blocks
// while MoveNext walks on. Nothing holds the file between calls.

namespace {
constexpr size_t kLargestBlock = 4096; // rows; each block is one short read of the file
}

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::Open(const std::string& source, const _ConnectionPtr& activeConnection,
                     CursorTypeEnum /*cursorType*/, LockTypeEnum /*lockType*/, long /*options*/) {
    if (m_db)
        throw _com_error(adErrObjectOpen, "record set already open");
    Connection* connection = activeConnection.GetInterfacePtr();
    if (!connection || connection->GetState() != adStateOpen)
        throw _com_error(adErrInvalidConnection, "connection closed or missing");
    const std::string table = TableOfSelectAll(source);
    if (table.empty())
        throw _com_error(DB_E_ERRORSINCOMMAND, "only SELECT * FROM <table> is understood");
    m_db = connection->Handle();
    try {
        Engine([&] { Load(table); });
    } catch (...) {
        Forget();
        throw;
    }
}

void Recordset::Load(const std::string& table) {
    sqlite3* db = m_db->get();
    sqlite::Statement find(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 "
                               "COLLATE NOCASE");
    find.BindText(1, table);
    if (!find.Step())
        throw _com_error(DB_E_NOTABLE, "no such table: " + table);
    m_table = find.Text(0);
    m_rowid = RowIdName(db, m_table);

    sqlite::Statement shape(db, "SELECT * FROM " + sqlite::QuoteIdentifier(m_table) + " LIMIT 0");
    for (int i = 0; i < shape.ColumnCount(); ++i)
        m_columns.emplace_back(shape.ColumnName(i));

    // Counted first, so that the keyset is allocated once at its size.
    sqlite::Statement count(db, "SELECT count(*) FROM " + sqlite::QuoteIdentifier(m_table));
    count.Step();
    m_keys.reserve(static_cast<size_t>(count.Int64(0)));
    sqlite::Statement ids(db, "SELECT " + m_rowid + " FROM " + sqlite::QuoteIdentifier(m_table) +
                                  " ORDER BY " + m_rowid);
    while (ids.Step())
        m_keys.push_back(ids.Int64(0));
    SetPosition(0);
}

void Recordset::Forget() {
    m_readRows.reset(); // before the connection it belongs to
    m_db.reset();
    m_keys = {};
    m_columns.clear();
    m_ahead = {};
}

long Recordset::GetState() const {
    return m_db ? adStateOpen : adStateClosed;
}

void Recordset::Close() {
    RequireOpen();
    Forget();
}

void Recordset::RequireOpen() const {
    if (!m_db)
        throw _com_error(adErrObjectClosed, "record set is closed");
    if (!m_db->IsOpen())
        throw _com_error(adErrObjectClosed, "connection was closed");
}

bool Recordset::OnRow() const {
    return m_pos >= 0 && m_pos < static_cast<std::ptrdiff_t>(m_keys.size());
}

void Recordset::RequireCurrent() const {
    RequireOpen();
    if (!OnRow())
        throw _com_error(adErrNoCurrentRecord, "no current record");
}

bool Recordset::adoEOF() const {
    RequireOpen();
    return m_pos >= static_cast<std::ptrdiff_t>(m_keys.size());
}

bool Recordset::BOF() const {
    RequireOpen();
    return (m_pos < 0 || m_keys.empty());
}

long Recordset::RecordCount() const {
    RequireOpen();
    return static_cast<long>(m_keys.size());
}

// Reads up to `count` rows from row id `from` on, in order, in place of what was read ahead.
void Recordset::ReadAhead(std::int64_t from, size_t count) {
    m_ahead.ids.clear(); // kept allocated: the next block is as large or larger
    m_ahead.cells.clear();
    m_ahead.text.clear();
    m_ahead.at = 0;
    Engine([&] {
        if (!m_readRows)
            m_readRows = std::make_unique<sqlite::Statement>(
                *m_db, "SELECT " + m_rowid + ", * FROM " + sqlite::QuoteIdentifier(m_table) +
                           " WHERE " + m_rowid + " >= ?1 ORDER BY " + m_rowid + " LIMIT ?2");
        sqlite::Statement& read = *m_readRows;
        read.BindInt64(1, from);
        read.BindInt64(2, static_cast<std::int64_t>(count));
        const int columns = static_cast<int>(m_columns.size());
        try {
            while (read.Step()) {
                m_ahead.ids.push_back(read.Int64(0));
                for (int i = 1; i <= columns; ++i) {
                    const char* text = read.Text(i);
                    const size_t length = read.Bytes(i);
                    m_ahead.cells.push_back({m_ahead.text.size(), length, text == nullptr});
                    if (text)
                        m_ahead.text.append(text, length);
                }
            }
        } catch (...) {
            m_ahead = {};
            throw;
        }
        read.Reset(); // nothing holds the file between calls
    });
}

// Stands on keyset position `pos`, reading its row: from what was read ahead when
// `onward`, else afresh. Rows that another program deleted meanwhile drop out of the
// keyset; rows it added are not part of it.
void Recordset::Land(std::ptrdiff_t pos, bool onward) {
    if (onward) {
        ++m_ahead.at;
        m_blockSize = std::min(m_blockSize * 2, kLargestBlock);
    } else {
        m_ahead.ids.clear();
        m_ahead.at = 0;
        m_blockSize = 1;
    }
    while (pos < static_cast<std::ptrdiff_t>(m_keys.size())) {
        const std::int64_t wanted = m_keys[static_cast<size_t>(pos)];
        if (m_ahead.at >= m_ahead.ids.size()) {
            ReadAhead(wanted, m_blockSize);
            if (m_ahead.ids.empty()) { // every row from here on is gone
                m_keys.resize(static_cast<size_t>(pos));
                break;
            }
        }
        const std::int64_t id = m_ahead.ids[m_ahead.at];
        if (id == wanted) {
            m_pos = pos;
            return;
        }
        if (id < wanted)
            ++m_ahead.at; // another program's row
        else
            m_keys.erase(m_keys.begin() + pos); // ours, deleted by another program
    }
    m_pos = static_cast<std::ptrdiff_t>(m_keys.size());
    m_ahead.ids.clear();
}

void Recordset::SetPosition(std::ptrdiff_t pos, bool onward) {
    const auto size = static_cast<std::ptrdiff_t>(m_keys.size());
    if (pos < 0 || pos >= size) {
        m_pos = pos < 0 ? -1 : size;
        m_ahead.ids.clear();
        return;
    }
    Land(pos, onward);
}

void Recordset::Move(long numRecords) {
    RequireOpen();
    if (numRecords == 0)
        return;
    // Moving further out from an end where the cursor already stands is an error.
    if ((numRecords > 0 && adoEOF()) || (numRecords < 0 && BOF()))
        throw _com_error(adErrNoCurrentRecord, "already at the end");
    const std::ptrdiff_t from = m_pos;
    const auto size = static_cast<std::ptrdiff_t>(m_keys.size());
    const bool onward = numRecords == 1 && !m_ahead.ids.empty();
    // Clamped before adding, so that a huge count cannot overflow.
    if (numRecords > 0)
        SetPosition(numRecords >= size - from ? size : from + numRecords, onward);
    else
        SetPosition(numRecords <= -1 - from ? -1 : from + numRecords);
}

void Recordset::MoveFirst() {
    RequireOpen();
    SetPosition(0); // on an empty set this is EOF and BOF at once
}

void Recordset::MoveNext() {
    Move(1);
}

size_t Recordset::ColumnIndex(const std::string& column) const {
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (SameIgnoringCase(m_columns[i], column))
            return i;
    throw _com_error(adErrItemNotFound, "no such column: " + column);
}

FieldValue Recordset::CurrentValue(size_t index) const {
    const Cell& cell = m_ahead.cells[m_ahead.at * m_columns.size() + index];
    if (cell.null)
        return std::nullopt;
    return m_ahead.text.substr(cell.offset, cell.length);
}

FieldValue Recordset::GetCollect(const std::string& column) const {
    RequireOpen();
    const size_t index = ColumnIndex(column);
    RequireCurrent();
    return CurrentValue(index);
}

// The word database in the shape of ADO's Connection and Recordset, over SQLite.
// Every failure raises _com_error with the code ADO and Jet would give.
#pragma once

#include "store/comerror.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum CursorTypeEnum {
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockTypeEnum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum CommandTypeEnum { adCmdText = 1, adCmdTable = 2 };
enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };

// A reference-counted interface pointer: using it while null raises E_POINTER.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}

    HRESULT CreateInstance() {
        m_p = std::make_shared<T>();
        return S_OK;
    }
    void Release() { m_p.reset(); }

    T* operator->() const {
        if (!m_p)
            throw _com_error(E_POINTER);
        return m_p.get();
    }
    T* GetInterfacePtr() const { return m_p.get(); }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator==(std::nullptr_t) const { return m_p == nullptr; }

private:
    std::shared_ptr<T> m_p;
};

namespace sqlite {
class Database;
class Statement;
} // namespace sqlite

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>": opens an existing database
    // file read-write. A missing, empty or foreign file fails; nothing is ever created.
    void Open(const std::string& connectionString, const std::string& userId,
              const std::string& password, long options);
    long GetState() const;
    void Close();

    // One transaction around many row changes (one write to disk instead of one each).
    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // Runs one SQL statement that returns no rows. Raises _com_error.
    void Execute(const std::string& sql);

    // How long a call waits for another program holding the file before it fails.
    void SetBusyTimeout(int milliseconds);

    std::shared_ptr<sqlite::Database> Handle() const { return m_db; }

private:
    std::shared_ptr<sqlite::Database> m_db;
    // Long enough for another running copy's longest transaction, even on a slow disk.
    int m_busyTimeoutMs = 20000;
};

using _ConnectionPtr = ComPtr<Connection>;

// Runs `write` in a savepoint of the caller's transaction, for the rows of one table of
// our own. A failure of the file itself is raised, failing the whole transaction; any
// other (the table refusing its rows) takes back only what `write` did and is returned.
std::optional<_com_error> WriteWithinSavepoint(const _ConnectionPtr& connection,
                                               const std::string& name,
                                               const std::function<void()>& write);

// One transaction on a connection, rolled back unless committed: a failure anywhere
// between leaves the file as it was. Beginning raises as BeginTrans does.
class TransactionScope {
public:
    explicit TransactionScope(const _ConnectionPtr& connection);
    ~TransactionScope(); // rolls back quietly: the engine may have done so itself
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;
    void Commit();

private:
    _ConnectionPtr m_connection;
    bool m_done = false;
};

using FieldValue = std::optional<std::string>; // nullopt is the database's NULL

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Source "SELECT * FROM <table>". Rows come in the order they were stored.
    void Open(const std::string& source, const _ConnectionPtr& activeConnection,
              CursorTypeEnum cursorType, LockTypeEnum lockType, long options);
    long GetState() const;
    void Close();

    bool adoEOF() const;
    bool BOF() const;
    long RecordCount() const;

    // Moves from the current record; past either end it stops at EOF or BOF.
    void Move(long numRecords);
    void MoveFirst();
    void MoveNext();

    FieldValue GetCollect(const std::string& column) const;

private:
    struct Cell {
        size_t offset, length;
        bool null;
    };
    // Rows read from the current one on: their ids, and their values in one text.
    struct ReadAheadRows {
        std::vector<std::int64_t> ids;
        std::vector<Cell> cells; // row by row, column by column
        std::string text;
        size_t at = 0; // the current row among them
    };

    void RequireOpen() const;
    void RequireCurrent() const;
    bool OnRow() const;
    size_t ColumnIndex(const std::string& column) const;
    void Load(const std::string& table);
    void Forget();
    void ReadAhead(std::int64_t from, size_t count);
    void Land(std::ptrdiff_t pos, bool onward);
    void SetPosition(std::ptrdiff_t pos, bool onward = false);
    FieldValue CurrentValue(size_t index) const;

    std::shared_ptr<sqlite::Database> m_db;
    std::string m_table;
    std::string m_rowid; // the name of the row id not shadowed by a column
    std::vector<std::string> m_columns;
    std::vector<std::int64_t> m_keys; // the row ids, in order: the keyset
    std::ptrdiff_t m_pos = 0;         // -1: BOF; m_keys.size(): EOF
    ReadAheadRows m_ahead;
    size_t m_blockSize = 1;
    std::unique_ptr<sqlite::Statement> m_readRows;
};

using _RecordsetPtr = ComPtr<Recordset>;

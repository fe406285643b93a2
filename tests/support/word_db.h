// Small danci.mdb files for tests.
#pragma once

#include "store/ado.h"
#include "store/sqlite_util.h"
#include "tools/wordbank.h"

#include <string>
#include <vector>

inline std::vector<WordEntry> NumberedWords(int count, const std::string& prefix = "word") {
    std::vector<WordEntry> words;
    for (int i = 0; i < count; ++i)
        words.push_back({prefix + std::to_string(i), "释义" + std::to_string(i)});
    return words;
}

inline std::string ConnectionString(const std::string& file) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file;
}

// Runs SQL on the file directly, as another program would; any failure throws.
inline void RunSql(const std::string& file, const std::string& sql) {
    sqlite::Database(file, SQLITE_OPEN_READWRITE).Exec(sql);
}

inline _ConnectionPtr OpenConnection(const std::string& file) {
    _ConnectionPtr connection;
    connection.CreateInstance();
    connection->Open(ConnectionString(file), "", "", 0);
    return connection;
}

inline _RecordsetPtr OpenTable(const _ConnectionPtr& connection, const std::string& table) {
    _RecordsetPtr rs;
    rs.CreateInstance();
    rs->Open("SELECT * FROM " + table, connection, adOpenDynamic, adLockOptimistic, adCmdText);
    return rs;
}

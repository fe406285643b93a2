// A drill's world for tests: a temporary folder with danci.mdb and read.ini, a clock.
#pragma once

#include "store/dates.h"
#include "store/profile.h"
#include "support/local_time.h"
#include "support/temp_dir.h"
#include "support/word_db.h"

class DrillWorld {
public:
    DrillWorld() {
        SetNow(LocalTime(2026, 12, 8));
        BuildWordDatabase(
            db, {{"CET4", NumberedWords(30, "four")}, {"CET6", NumberedWords(30, "six")}});
        connection = OpenConnection(db);
    }
    ~DrillWorld() { clock_source::Set(nullptr); }

    void SetNow(std::time_t when) {
        now = when;
        clock_source::Set([this] { return now; });
    }
    void Ini(const char* section, const char* key, const std::string& value) const {
        WritePrivateProfileStringA(section, key, value.c_str(), ini);
    }
    int IniInt(const char* section, const char* key, int def = -999) const {
        return static_cast<int>(GetPrivateProfileIntA(section, key, def, ini));
    }
    std::string IniText(const char* section, const char* key) const {
        char buf[64];
        GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini);
        return buf;
    }
    // Runs SQL on the file directly, as another program would.
    void Sql(const std::string& sql) const { RunSql(db, sql); }
    // "word|time" of every row of a review table, in order.
    std::vector<std::string> Rows(const std::string& table) const {
        std::vector<std::string> rows;
        _RecordsetPtr rs = OpenTable(OpenConnection(db), table);
        if (!rs->BOF())
            for (rs->MoveFirst(); !rs->adoEOF(); rs->MoveNext())
                rows.push_back(rs->GetCollect("danci").value_or("<null>") + "|" +
                               rs->GetCollect("time").value_or("<null>"));
        return rows;
    }

    long long Count(const std::string& table) const {
        sqlite::Database file(db, SQLITE_OPEN_READONLY);
        sqlite::Statement count(file, "SELECT count(*) FROM " + table);
        count.Step();
        return count.Int64(0);
    }

    TempDir dir;
    std::string db = dir.file("danci.mdb");
    std::string ini = dir.file("read.ini");
    _ConnectionPtr connection;
    std::time_t now = 0;
};

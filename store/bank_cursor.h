// A drill's place in a word bank: the bank's rows in table order, one at a time, from the
// learner's position on. Raises _com_error; a missing table raises DB_E_NOTABLE.
#pragma once

#include "store/ado.h"

#include <optional>
#include <string>

struct BankWord {
    std::string word, meaning;
};

class BankCursor {
public:
    // Opens `bank` on the connection, before its first row.
    void Open(const _ConnectionPtr& connection, const std::string& bank);
    bool IsOpen() const { return static_cast<bool>(m_rows); }
    void Close();

    // Skips `rows` rows; past the end it stays at the end.
    void Skip(long long rows);
    // The word at the cursor, and the cursor moved past it; none at the end.
    std::optional<BankWord> Next();
    // The row just taken is the next one again.
    void Back();
    bool AtEnd() const;

private:
    _RecordsetPtr m_rows;
};

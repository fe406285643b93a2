#include "store/bank_cursor.h"

#include "store/word_schema.h"

#include <algorithm>

void BankCursor::Open(const _ConnectionPtr& connection, const std::string& bank) {
    m_rows.Release();
    _RecordsetPtr rows;
    rows.CreateInstance();
    rows->Open("SELECT * FROM " + bank, connection, adOpenDynamic, adLockOptimistic, adCmdText);
    m_rows = rows;
}

void BankCursor::Close() {
    if (!m_rows)
        return;
    _RecordsetPtr rows = m_rows;
    m_rows.Release();
    rows->Close();
}

void BankCursor::Skip(long long rows) {
    if (rows > 0 && !m_rows->adoEOF())
        m_rows->Move(static_cast<long>(std::min<long long>(rows, 0x7FFFFFFF)));
}

bool BankCursor::AtEnd() const {
    return m_rows->adoEOF();
}

std::optional<BankWord> BankCursor::Next() {
    if (m_rows->adoEOF())
        return std::nullopt;
    BankWord word{m_rows->GetCollect(mdb::kWord).value_or(""),
                  m_rows->GetCollect(mdb::kMeaning).value_or("")};
    m_rows->MoveNext();
    return word;
}

void BankCursor::Back() {
    m_rows->Move(-1);
}

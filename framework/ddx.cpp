#include "ddx.h"

#include "msgbox.h"

#include <optional>
#include <string>

const char* const kPromptPositiveNumber = "请输入一个正整数。";

namespace {

// "%u" read strictly: blanks around, digits between, nothing else, within 32 bits.
std::optional<UINT> ParseUnsigned(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos || text[i] < '0' || text[i] > '9')
        return std::nullopt;
    unsigned long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFULL)
            return std::nullopt;
    }
    if (text.find_first_not_of(" \t", i) != std::string::npos)
        return std::nullopt;
    return static_cast<UINT>(value);
}

} // namespace

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CWnd* box = dx->m_pDlgWnd->GetDlgItem(id);
    if (!box)
        return;
    if (dx->m_bSaveAndValidate) {
        value = box->GetCheck();
        return;
    }
    if (value < 0 || value > 2)
        value = 0;
    box->SetCheck(value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    CWnd* edit = dx->m_pDlgWnd->GetDlgItem(id);
    if (!edit)
        return;
    if (!dx->m_bSaveAndValidate) {
        edit->SetWindowText(std::to_string(value));
        return;
    }
    std::optional<UINT> parsed = ParseUnsigned(edit->GetWindowText());
    if (!parsed) {
        AfxMessageBox(kPromptPositiveNumber);
        edit->SetFocus();
        dx->Fail();
    }
    value = *parsed;
}

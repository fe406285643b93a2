#include "framework/ddx.h"

#include "framework/msgbox.h"
#include "framework/whole_number.h"

#include <string>

const char* const kPromptPositiveNumber = "请输入一个正整数。";

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
    const auto parsed = ParseWholeNumber(edit->GetWindowText(), false);
    if (!parsed) {
        AfxMessageBox(kPromptPositiveNumber);
        edit->SetFocus();
        dx->Fail();
    }
    value = static_cast<UINT>(*parsed);
}

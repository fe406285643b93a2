// What the dialog class is on every backend: items by id, data exchange, the message map
// and the default handlers. The backends make the windows.
#include "framework/dialog.h"

#include "framework/dialog_template.h"
#include "framework/whole_number.h"

namespace {
struct DataExchangeFailed {};
} // namespace

// ---- Templates ----------------------------------------------------------------------

namespace {
DialogTemplateFinder g_templates = nullptr;
} // namespace

void SetDialogTemplates(DialogTemplateFinder finder) {
    g_templates = finder;
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    return g_templates ? g_templates(id) : nullptr;
}

CWnd* CDialog::GetDlgItem(int id) {
    auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second.get();
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

std::string CDialog::GetDlgItemText(int id) {
    CWnd* item = GetDlgItem(id);
    return item ? item->GetWindowText() : std::string();
}

UINT CDialog::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) {
    const auto value = ParseWholeNumber(GetDlgItemText(id), isSigned);
    if (translated)
        *translated = value.has_value();
    return value ? static_cast<UINT>(*value) : 0;
}

UINT CDialog::IsDlgButtonChecked(int id) {
    CWnd* item = GetDlgItem(id);
    return item ? static_cast<UINT>(item->GetCheck()) : 0;
}

void CDialog::CheckDlgButton(int id, UINT check) {
    if (CWnd* item = GetDlgItem(id))
        item->SetCheck(static_cast<int>(check));
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::SendCommand(int id) {
    if (auto it = m_commands.find(id); it != m_commands.end()) {
        auto handler = it->second; // the handler may rebind or end the dialog
        handler();
    } else if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::OnCommand(int id, std::function<void()> handler) {
    m_commands[id] = std::move(handler);
}

void CDialog::OnChange(int id, std::function<void()> handler) {
    m_changes[id] = std::move(handler);
}

void CDialog::SendChange(int id) {
    if (auto it = m_changes.find(id); it != m_changes.end()) {
        auto handler = it->second;
        handler();
    }
}

void CDialog::OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    m_messages[message] = std::move(handler);
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = m_messages.find(message);
    if (it == m_messages.end())
        return 0;
    auto handler = it->second;
    return handler(wParam, lParam);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnClose() {
    SendCommand(IDCANCEL);
}

void CDialog::OnDestroy() {}

void CDialog::OnTimer(UINT_PTR) {}

void CDialog::OnSize(UINT, int, int) {}

BOOL CDialog::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDataExchange::Fail() {
    throw DataExchangeFailed{};
}

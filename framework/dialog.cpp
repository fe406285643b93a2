// What the dialog class is on every backend: its modal run, items by id, data exchange,
// the message map, timers and the default handlers. The backends make the windows.
#include "framework/dialog.h"

#include "framework/backend.h"
#include "framework/dialog_template.h"
#include "framework/whole_number.h"

#include <algorithm>

namespace {
struct DataExchangeFailed {};

// Dialogs whose modal loop runs, innermost last.
std::vector<CDialog*> g_running;
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

HWND ModalOwner() {
    return g_running.empty() ? nullptr : g_running.back()->GetSafeHwnd();
}

// ---- The modal run --------------------------------------------------------------------

class CDialog::Events final : public DialogEvents {
public:
    explicit Events(CDialog& dialog) : d(dialog) {}

    CDialog& Dialog() override { return d; }

    BOOL Initialise() override {
        for (const ControlTemplate& c : d.m_template->controls)
            if (c.id != IDC_STATIC)
                if (HWND control = d.m_window->Control(c.id))
                    d.m_items[c.id] = std::make_unique<CWnd>(control);
        NameFieldsAfterTheirLabels();
        const BOOL focusFirst = d.OnInitDialog();
        if (!d.m_ending)
            g_running.push_back(&d); // its loop runs next
        return focusFirst;
    }
    void Close() override { d.OnClose(); }
    void SysCommand(UINT id, LPARAM lParam) override { d.OnSysCommand(id, lParam); }
    void Timer(UINT_PTR id) override { d.OnTimer(id); }
    bool Paint() override {
        d.m_paintLeftToSystem = false;
        d.OnPaint();
        return !d.m_paintLeftToSystem;
    }
    void Size(UINT type, int cx, int cy) override { d.OnSize(type, cx, cy); }
    BOOL PreTranslate(MSG* msg) override { return d.PreTranslateMessage(msg); }
    void Destroying() override {
        d.OnDestroy();
        for (const auto& [id, period] : d.m_timers)
            d.m_window->StopTimer(id);
        d.m_timers.clear();
    }

private:
    // Before OnInitDialog, which may name a field otherwise.
    void NameFieldsAfterTheirLabels() {
        const auto& controls = d.m_template->controls;
        for (const auto& [field, label] : FieldLabels(*d.m_template))
            if (CWnd* item = d.GetDlgItem(controls[field].id))
                item->SetAccessibleName(std::string(controls[label].text));
    }

    CDialog& d;
};

CDialog::CDialog(UINT templateId, CWnd* /*parent: the running dialog owns it*/)
    : m_templateId(templateId), m_template(FindDialogTemplate(templateId)) {}

CDialog::~CDialog() {
    Destroy();
}

INT_PTR CDialog::DoModal() {
    if (!m_template || m_window)
        return -1;
    Events events(*this);
    m_ending = false;
    m_result = -1;
    m_window = CreateDialogWindow(events, *m_template, ModalOwner());
    const bool ran = m_window->RunModal();
    std::erase(g_running, this);
    Destroy();
    return ran ? m_result : -1;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ending = true;
    if (m_window)
        m_window->End(result);
}

void CDialog::Destroy() {
    if (!m_window)
        return;
    for (const auto& [id, period] : m_timers)
        m_window->StopTimer(id);
    m_timers.clear();
    m_items.clear();
    m_systemMenu.reset();
    m_window.reset();
}

BOOL CDialog::IsWindow() const {
    return m_window && m_window->Handle();
}

HWND CDialog::GetSafeHwnd() const {
    return m_window ? m_window->Handle() : nullptr;
}

// ---- Window operations ----------------------------------------------------------------

CRect CDialog::MapDialogRect(const CRect& dialogUnits) const {
    return m_window ? m_window->MapDialogRect(dialogUnits) : dialogUnits;
}

void CDialog::GetClientRect(CRect* rect) const {
    *rect = m_window ? m_window->ClientRect() : CRect{};
}

BOOL CDialog::ShowWindow(int cmdShow) {
    return m_window && m_window->Show(cmdShow);
}

BOOL CDialog::IsIconic() const {
    return m_window && m_window->IsIconic();
}

BOOL CDialog::IsWindowVisible() const {
    return m_window && m_window->IsVisible();
}

void CDialog::SetForegroundWindow() {
    if (m_window)
        m_window->SetForeground();
}

void CDialog::SetIcon(UINT iconId) {
    if (m_window)
        m_window->SetIcon(iconId);
}

void CDialog::AddAccelerator(const std::string& keys, int commandId) {
    if (m_window)
        m_window->AddAccelerator(keys, commandId);
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs) {
    if (!m_window || !m_window->StartTimer(id, elapseMs))
        return 0;
    m_timers[id] = elapseMs;
    return id;
}

BOOL CDialog::KillTimer(UINT_PTR id) {
    if (!m_timers.erase(id))
        return FALSE;
    if (m_window)
        m_window->StopTimer(id);
    return TRUE;
}

UINT CDialog::GetTimerPeriod(UINT_PTR id) const {
    auto it = m_timers.find(id);
    return it == m_timers.end() ? 0 : it->second;
}

CMenu* CDialog::GetSystemMenu(BOOL revert) {
    if (!m_window || !(m_template->style & WS_SYSMENU))
        return nullptr;
    if (m_systemMenu && revert)
        m_window->RevertSystemMenu();
    if (!m_systemMenu || revert)
        m_systemMenu = std::make_unique<CMenu>([this](const CMenu::Item& item) {
            return m_window ? m_window->AppendSystemMenuItem(item) : FALSE;
        });
    return m_systemMenu.get();
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text) {
    m_items.push_back({flags, static_cast<UINT>(id), text});
    return m_append ? m_append(m_items.back()) : TRUE;
}

// ---- Items by id ----------------------------------------------------------------------

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

// ---- The message map -----------------------------------------------------------------

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

void CDialog::SendSysCommand(UINT id, LPARAM lParam) {
    OnSysCommand(id, lParam);
}

// ---- Default handlers -----------------------------------------------------------------

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

void CDialog::OnPaint() {
    m_paintLeftToSystem = true;
}

void CDialog::OnSysCommand(UINT id, LPARAM lParam) {
    if (!m_window)
        return;
    if ((id & 0xFFF0) == SC_CLOSE)
        OnClose();
    else
        m_window->DefaultSysCommand(id, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDataExchange::Fail() {
    throw DataExchangeFailed{};
}

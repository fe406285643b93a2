#include "drill_dlg.h"

#include "giveup_dlg.h"
#include "profile.h"
#include "wordmill_app.h"

namespace {
void ShowDatabaseError(const std::string& text) { AfxMessageBox(text); }
} // namespace

CDrillDlg::CDrillDlg(UINT templateId, const DrillKeys& keys, CWnd* parent)
    : CDialog(templateId, parent), m_core(keys, ShowDatabaseError) {}

void CDrillDlg::SetUpCore() {
    CWordmillApp& app = GetWordmillApp();
    m_core.SetUp(app.m_pConnection, app.m_nDailyQuota, JoinPath(GetCurrentDirectoryA(), "read.ini"));
}

void CDrillDlg::SaveDay() { m_core.SaveProgress(); }

void CDrillDlg::OnClose() {
    SaveDay();
    if (m_core.MustConfirmGiveUp()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return; // keep studying: same word, list and counters
    }
    EndDialog(IDCANCEL);
}

void CDrillDlg::OnOK() {
    SaveDay();
    EndDialog(IDOK);
}

void CDrillDlg::OnCancel() {
    SaveDay();
    EndDialog(IDCANCEL);
}
